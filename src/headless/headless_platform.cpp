#include "headless/headless_platform.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "platform/fileio.h"
#include "screen/capture.h"
#include "screen/raster.h"

namespace sekiba {

HeadlessPlatform::HeadlessPlatform() {
  time_of_day.year = 2026;
  time_of_day.month = 12;
  time_of_day.day = 9;
}

int HeadlessPlatform::text_width(const std::string& utf8, const TextStyle& st) {
  // Roughly one full-width character per three bytes of UTF-8.
  return int(utf8.size()) * st.point * 4 / 3 / 3;
}

// Shapes are filled as their bounding boxes: enough for layout tests, and the
// pictures keep their pixels where the game draws them.
void HeadlessPlatform::fill_round_rect(Surface& s, const RectF& r, double, Pixel fill, Pixel,
                                       double) {
  fill_rect(s, int(std::lround(r.x)), int(std::lround(r.y)), int(std::lround(r.w)),
            int(std::lround(r.h)), fill);
}

void HeadlessPlatform::fill_ellipse(Surface& s, const RectF& r, Pixel fill, Pixel, double) {
  const double cx = r.x + r.w / 2, cy = r.y + r.h / 2, rx = r.w / 2, ry = r.h / 2;
  if (rx <= 0 || ry <= 0) return;
  for (int y = int(r.y); y < int(std::ceil(r.y + r.h)); ++y)
    for (int x = int(r.x); x < int(std::ceil(r.x + r.w)); ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0 && s.contains(x, y)) s.at(x, y) = fill;
    }
}

void HeadlessPlatform::fill_polygon(Surface& s, const PointF* pts, int count, Pixel fill) {
  if (count < 3) return;
  double x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
  for (int i = 1; i < count; ++i) {
    x0 = std::min(x0, pts[i].x);
    x1 = std::max(x1, pts[i].x);
    y0 = std::min(y0, pts[i].y);
    y1 = std::max(y1, pts[i].y);
  }
  fill_rect(s, int(x0), int(y0), int(x1 - x0), int(y1 - y0), fill);
}

void HeadlessPlatform::draw_thick_line(Surface& s, PointF a, PointF b, double, Pixel color) {
  draw_line(s, int(a.x), int(a.y), int(b.x), int(b.y), color);
}

void HeadlessPlatform::fill_gradient(Surface& s, const RectF& r, Pixel top, Pixel bottom) {
  const int y0 = int(r.y), h = std::max(1, int(r.h));
  for (int i = 0; i < h; ++i) {
    auto mix = [&](int a, int b) { return a + (b - a) * i / h; };
    fill_rect(s, int(r.x), y0 + i, int(r.w), 1,
              rgb(mix(red_of(top), red_of(bottom)), mix(green_of(top), green_of(bottom)),
                  mix(blue_of(top), blue_of(bottom))));
  }
}

// Reads uncompressed 24- and 32-bit BMP files, which is what tests write.
bool HeadlessPlatform::load_image(const std::string& path, Surface& s) {
  auto data = read_file(path);
  if (!data || data->size() < 54 || (*data)[0] != 'B' || (*data)[1] != 'M') return false;
  auto u32 = [&](std::size_t o) {
    std::uint32_t v;
    std::memcpy(&v, data->data() + o, 4);
    return v;
  };
  auto u16 = [&](std::size_t o) {
    std::uint16_t v;
    std::memcpy(&v, data->data() + o, 2);
    return v;
  };
  const std::uint32_t offset = u32(10);
  const std::int32_t w = std::int32_t(u32(18));
  std::int32_t h = std::int32_t(u32(22));
  const int bpp = u16(28);
  const bool top_down = h < 0;
  h = std::abs(h);
  if (w <= 0 || h <= 0 || w > 8192 || h > 8192 || (bpp != 24 && bpp != 32) || u32(30) != 0)
    return false;
  const std::size_t stride = (std::size_t(w) * std::size_t(bpp / 8) + 3) & ~std::size_t(3);
  if (offset > data->size() || stride * std::size_t(h) > data->size() - offset) return false;
  Surface out(w, h);
  for (int y = 0; y < h; ++y) {
    const unsigned char* line =
        reinterpret_cast<const unsigned char*>(data->data()) + offset +
        stride * std::size_t(top_down ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = line + std::size_t(x) * std::size_t(bpp / 8);
      out.at(x, y) = rgb(p[2], p[1], p[0]);
    }
  }
  s = std::move(out);
  return true;
}

bool HeadlessPlatform::save_bmp(const Surface& s, const std::string& path) {
  return !s.empty() && write_file_atomic(path, encode_bmp(s));
}

MessageAnswer HeadlessPlatform::message_box(const std::string& text, const std::string& title,
                                            MessageButtons buttons, MessageIcon icon) {
  messages.push_back({text, title, buttons, icon});
  if (!answers.empty()) {
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

MessageAnswer HeadlessPlatform::ask_while_waiting(const std::string& text, const std::string& title,
                                                  const std::function<bool()>& settled) {
  messages.push_back({text, title, MessageButtons::YesNo, MessageIcon::Question});
  poll_udp(0);
  if (on_prompt) on_prompt(*this);
  if (settled()) return MessageAnswer::No;
  // As for message_box: Yes, so that a wait nothing will answer ends.
  if (answers.empty()) return MessageAnswer::Yes;
  const MessageAnswer a = answers.front();
  answers.pop_front();
  return a;
}

void HeadlessPlatform::deliver_one() {
  if (input.empty()) return;
  InputEvent ev = input.front();
  input.pop_front();
  if (on_input) on_input(ev);
}

void HeadlessPlatform::finish_wait() {
  if (quit_) throw QuitRequested();
  if (after_events) after_events();
}

void HeadlessPlatform::yield() {
  if (quit_) throw QuitRequested();
  ++yields;
  clock_ms += 1;
  deliver_one();
  poll_udp(0);
  finish_wait();
}

void HeadlessPlatform::sleep_until_datagram(int max_ms) {
  if (quit_) throw QuitRequested();
  ++yields;
  deliver_one();
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const int limit = max_ms < 0 ? udp_poll_ms : std::min(max_ms, udp_poll_ms);
  const int got = poll_udp(std::max(limit, 0));
  const auto real = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  if (got == 0 && udp_idle_jumps) clock_ms += max_ms >= 0 ? max_ms : 1000;
  else clock_ms += std::max<std::int64_t>(1, real);
  finish_wait();
}

void HeadlessPlatform::sleep_until_event(int max_ms) {
  if (quit_) throw QuitRequested();
  ++yields;
  if (poll_udp(0) > 0) {
    clock_ms += 1;
    finish_wait();
    return;
  }
  if (input.empty() && max_ms < 0) {
    if (on_idle) on_idle(*this);
    if (input.empty() && !quit_ && ++idle_waits_ > max_idle_waits)
      throw std::runtime_error("headless: a wait for input that nothing will answer");
  }
  if (!input.empty()) {
    idle_waits_ = 0;
    clock_ms += 1;
    deliver_one();
  } else {
    // Nothing will ever arrive: time passes to the end of the wait.
    clock_ms += max_ms >= 0 ? max_ms : 1000;
  }
  finish_wait();
}

HeadlessPlatform::~HeadlessPlatform() { udp_close(); }

bool HeadlessPlatform::udp_bind(int local_port) {
  udp_close();
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(local_port + udp_port_shift));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const int want = kUdpReceiveBuffer;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &want, sizeof want);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(fd);
    return false;
  }
  udp_fd_ = fd;
  return true;
}

// Only numeric IPv4 and "localhost": tests never look names up on a network.
bool HeadlessPlatform::udp_set_remote(const std::string& host, int port) {
  remote_set_ = false;
  remote_text_.clear();
  in_addr addr{};
  const std::string h = host == "localhost" ? "127.0.0.1" : host;
  if (h.empty() || ::inet_pton(AF_INET, h.c_str(), &addr) != 1) return false;
  remote_addr_ = addr.s_addr;
  remote_port_ = port;
  remote_text_ = h;
  remote_set_ = true;
  return true;
}

bool HeadlessPlatform::udp_send(const std::string& bytes) {
  if (udp_fd_ < 0 || !remote_set_) return false;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(remote_port_ + udp_port_shift));
  a.sin_addr.s_addr = remote_addr_;
  return ::sendto(udp_fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a),
                  sizeof a) == ssize_t(bytes.size());
}

void HeadlessPlatform::udp_close() {
  if (udp_fd_ >= 0) ::close(udp_fd_);
  udp_fd_ = -1;
}

int HeadlessPlatform::poll_udp(int timeout_ms) {
  if (udp_fd_ < 0) return 0;
  if (timeout_ms > 0) {
    pollfd p{udp_fd_, POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0) return 0;
  }
  int count = 0;
  std::vector<char>& buf = udp_buf_;
  buf.resize(65536);
  for (;;) {
    sockaddr_in from{};
    socklen_t len = sizeof from;
    const ssize_t n = ::recvfrom(udp_fd_, buf.data(), buf.size(), 0,
                                 reinterpret_cast<sockaddr*>(&from), &len);
    if (n < 0) break;
    ++count;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    if (on_datagram)
      on_datagram(std::string(buf.data(), std::size_t(n)), text, int(ntohs(from.sin_port)) - udp_port_shift);
    // The handler may have closed the socket (leaving LAN mode).
    if (udp_fd_ < 0) break;
  }
  return count;
}

bool HeadlessPlatform::play_wave(const std::string& path) {
  sounds.push_back(path);
  return sounds_exist;
}

}  // namespace sekiba
