// The copy's real socket: a burst of stray datagrams that arrives while the
// game is busy must leave room for the partner's message behind it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "lan/lan.h"
#include "lan/lan_state.h"
#include "test_game.h"

namespace sekiba {
namespace {

int bound_socket(int port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

void send_to(int fd, int port, const std::string& bytes) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

// A copy in the host's role on real loopback sockets, with a partner socket and
// a stranger's; skipped where the kernel allows no large receive buffer.
struct LanSocket : ::testing::Test {
  test::TestGame tg;
  Game& g = tg.g;
  int partner = -1, stranger = -1, to = 0;
  void SetUp() override {
    long rmem_max = 0;
    std::ifstream("/proc/sys/net/core/rmem_max") >> rmem_max;
    if (rmem_max < 2 << 20) GTEST_SKIP() << "the kernel allows no socket buffer above " << rmem_max << " bytes";
    lan_attach(g);
    g.lan.aite_host = "127.0.0.1";
    for (int attempt = 0; attempt < 20 && partner < 0; ++attempt) {
      tg.os.udp_port_shift = 3000 + int((::getpid() * 31 + attempt * 7907) % 30000);
      mnuhost_Click(g);
      if (g.t.lan_mode == 1) partner = bound_socket(kGuestPort + tg.os.udp_port_shift);
      if (partner < 0) mnulane_Click(g);
    }
    ASSERT_GE(partner, 0);
    stranger = bound_socket(0);
    ASSERT_GE(stranger, 0);
    to = kHostPort + tg.os.udp_port_shift;
  }
  void TearDown() override {
    if (partner >= 0) ::close(partner);
    if (stranger >= 0) ::close(stranger);
  }
};

TEST_F(LanSocket, ABurstOfStrayDatagramsLeavesRoomForThePartners) {
  // The game reads nothing meanwhile (a sound playing, a long judgement).
  for (int i = 0; i < 3000; ++i) send_to(stranger, to, "junk " + std::to_string(i));
  send_to(partner, to, "OK");
  tg.os.udp_idle_jumps = true;
  tg.os.answers = {MessageAnswer::Yes};  // lost, the wait would end in giving up
  EXPECT_NO_THROW(check_ok(g));
  EXPECT_EQ(g.lan.dropped_foreign, 3000u);
}

// A flood while the copy waits and reads: ten of the partner's messages, each
// behind ten thousand junk datagrams, all reach the game.
TEST_F(LanSocket, AFloodOfAHundredThousandJunkDatagramsLosesNoneOfThePartners) {
  constexpr int kJunk = 100000, kMessages = 10;
  tg.os.udp_idle_jumps = true;
  tg.os.answers.assign(kMessages, MessageAnswer::Yes);  // a lost message would end the wait in giving up
  std::thread flood([&] {
    for (int i = 0; i < kJunk; ++i) {
      send_to(stranger, to, "man_sute  " + std::to_string(i % 38));
      if ((i + 1) % (kJunk / kMessages) == 0) send_to(partner, to, "OK");
    }
  });
  int got = 0;
  try {
    for (; got < kMessages; ++got) check_ok(g);
  } catch (const LanAbandoned&) {
  }
  flood.join();
  EXPECT_EQ(got, kMessages);
  std::printf("[ lan ] flood: %d of %d partner messages arrived; the kernel dropped %d of %d junk datagrams\n", got,
              kMessages, kJunk - int(g.lan.dropped_foreign), kJunk);
}

}  // namespace
}  // namespace sekiba
