#include "platform/fileio.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/folders.h"
#include "platform/platform.h"

namespace sekiba {

namespace fs = std::filesystem;

std::string join_app_path(const std::string& app_path, const std::string& name) {
  std::string n = name;
  while (!n.empty() && (n.front() == '\\' || n.front() == '/')) n.erase(n.begin());
  for (char& c : n)
    if (c == '\\') c = '/';
  if (app_path.empty()) return n;
  return app_path + "/" + n;
}

namespace {

constexpr const char* kTempMark = ".tmp-";

std::atomic<unsigned> temp_counter{0};

// Unique among the copies running and the saves of one copy; the process id in
// the name tells a stale file from one being written.
std::string temp_name(const std::string& target) {
  return target + kTempMark + std::to_string(::getpid()) + "-" + std::to_string(temp_counter++);
}

bool write_all(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t done = ::write(fd, p, n);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    p += done;
    n -= std::size_t(done);
  }
  return true;
}

bool copy_tail(const std::string& from, off_t offset, int to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  // An old file the user may write but not read has no tail anyone could keep;
  // it is replaced, as the game told the user when it could not read it.
  if (in < 0) return errno == EACCES;
  bool ok = ::lseek(in, offset, SEEK_SET) == offset;
  char buf[1 << 16];
  while (ok) {
    const ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ok = write_all(to, buf, std::size_t(n));
  }
  ::close(in);
  return ok;
}

void sync_folder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The file a save to path writes: the one a symbolic link names.
bool save_target(const std::string& path, std::string& target) {
  target = path;
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return true;
  const fs::path real = fs::weakly_canonical(path, ec);
  if (ec) return false;
  target = real.string();
  return true;
}

// Something that is not a file, or a file the user made read-only, stays.
bool may_replace(const std::string& target, const struct stat& old, bool exists) {
  return !exists || (S_ISREG(old.st_mode) && may_write(target));
}

bool replace_file(const std::string& path, const std::string& bytes, bool keep_tail) {
  std::string target;
  if (!save_target(path, target)) return false;
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!may_replace(target, old, exists)) return false;

  const std::string tmp = temp_name(target);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = write_all(fd, bytes.data(), bytes.size());
  if (ok && exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  if (ok && keep_tail && exists && std::uintmax_t(old.st_size) > bytes.size())
    ok = copy_tail(target, off_t(bytes.size()), fd);
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tmp.c_str());
    return false;
  }
  // The rename itself reaches the disk only with its folder.
  const fs::path folder = fs::path(target).parent_path();
  sync_folder(folder.empty() ? "." : folder.string());
  return true;
}

}  // namespace

bool write_file_atomic(const std::string& path, const std::string& bytes) {
  return replace_file(path, bytes, false);
}

bool write_file_keeping_tail(const std::string& path, const std::string& bytes) {
  return replace_file(path, bytes, true);
}

FileRead read_file_start(const std::string& path, std::size_t max_bytes) {
  FileRead r;
  // Not blocking: a named pipe of a file's name must not hang the game.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    r.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    return r;
  }
  struct stat st {};
  r.status = ReadStatus::Unreadable;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const std::size_t want = std::min<std::uintmax_t>(std::uintmax_t(st.st_size), max_bytes);
    r.bytes.resize(want);
    std::size_t got = 0;
    bool ok = true;
    while (got < want) {
      const ssize_t n = ::read(fd, r.bytes.data() + got, want - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      got += std::size_t(n);
    }
    r.bytes.resize(got);
    if (ok) r.status = ReadStatus::Ok;
    else r.bytes.clear();
  }
  ::close(fd);
  return r;
}

std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes) {
  FileRead r = read_file_start(path, max_bytes);
  if (r.status != ReadStatus::Ok) return std::nullopt;
  return std::move(r.bytes);
}

bool can_replace(const std::string& path) {
  std::string target;
  if (!save_target(path, target)) return false;
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!may_replace(target, old, exists)) return false;
  // The new file is made beside the old one and renamed over it.
  const fs::path folder = fs::path(target).parent_path();
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

void remove_stale_temp_files(const std::string& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const auto mark = name.rfind(kTempMark);
    if (name.rfind("sekiba_", 0) != 0 || mark == std::string::npos) continue;
    const std::string rest = name.substr(mark + std::char_traits<char>::length(kTempMark));
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 9 ||
        rest.find_first_not_of("0123456789-") != std::string::npos)
      continue;
    const long pid = std::stol(rest.substr(0, dash));
    if (pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM)) continue;  // still saving
    std::error_code rm;
    fs::remove(it->path(), rm);
  }
}

bool file_exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace sekiba
