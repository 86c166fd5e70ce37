#include "platform/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/platform.h"

namespace sekiba {

std::string join_app_path(const std::string& app_path, const std::string& name) {
  std::string n = name;
  while (!n.empty() && (n.front() == '\\' || n.front() == '/')) n.erase(n.begin());
  for (char& c : n)
    if (c == '\\') c = '/';
  if (app_path.empty()) return n;
  return app_path + "/" + n;
}

bool write_file_atomic(const std::string& path, const std::string& bytes) {
  std::random_device rd;
  const std::string tmp = path + ".tmp" + std::to_string(rd() % 1000000);
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += std::size_t(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) std::remove(tmp.c_str());
  return ok;
}

std::optional<std::string> read_file(const std::string& path, std::size_t max_bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  auto size = std::filesystem::file_size(path, ec);
  if (ec || size > max_bytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data(size, '\0');
  in.read(data.data(), std::streamsize(size));
  data.resize(std::size_t(in.gcount()));
  return data;
}

bool file_exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace sekiba
