// The partner dialog edits the list the way its two buttons promise, and the Qt
// door carries datagrams between two sockets on this machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>

#include "engine/game.h"
#include "headless/headless_platform.h"
#include "qt/frmlan.h"
#include "qt/qt_platform.h"

namespace sekiba {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "frmlan_test";
  static char* argv[] = {name, nullptr};
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

TEST(FrmLan, OpensOnTheListAndItsButtonsEditIt) {
  app();
  HeadlessPlatform os;
  os.data_folder = ::testing::TempDir();
  Game g(os);
  g.t.app_path = os.data_folder;
  g.lan.aite_list[0] = "alpha";
  g.lan.aite_list[1] = "beta";
  FrmLan d(g, nullptr);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("ＬＡＮ対戦の相手"));
  ASSERT_EQ(d.combo()->count(), 2);
  EXPECT_EQ(d.combo()->currentText(), QStringLiteral("alpha"));
  d.show();
  d.combo()->setEditText(QStringLiteral("alpha"));
  d.cmddel_Click();  // stays open on the next name
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.combo()->count(), 1);
  EXPECT_EQ(d.combo()->currentText(), QStringLiteral("beta"));
  EXPECT_EQ(g.lan.aite_host, "beta");
  d.combo()->setEditText(QStringLiteral("gamma"));
  d.cmdhenkou_Click();  // chosen: on top, and the dialog closes
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(g.lan.aite_list[0], "gamma");
  EXPECT_EQ(g.lan.aite_list[1], "beta");
}

TEST(QtUdp, ADatagramCrossesBetweenTwoSockets) {
  app();
  QtPlatform a, b;
  int port = 0;
  for (int attempt = 0; attempt < 20 && port == 0; ++attempt) {
    const int p = 30000 + int((::getpid() * 31 + attempt * 997) % 20000);
    if (a.udp_bind(p) && b.udp_bind(p + 1)) port = p;
  }
  ASSERT_NE(port, 0);
  EXPECT_FALSE(a.udp_set_remote("", port + 1));
  ASSERT_TRUE(a.udp_set_remote("127.0.0.1", port + 1));
  std::string got, from;
  int from_port = 0;
  b.on_datagram = [&](const std::string& bytes, const std::string& f, int p) {
    got = bytes;
    from = f;
    from_port = p;
  };
  ASSERT_TRUE(a.udp_send("man_chi 15 2"));
  for (int i = 0; i < 100 && got.empty(); ++i) b.sleep_until_event(20);
  EXPECT_EQ(got, "man_chi 15 2");
  EXPECT_EQ(from, "127.0.0.1");
  EXPECT_EQ(from_port, port);

  // A partner given by name is looked up once; the IPv4 address is preferred so
  // that replies from 127.0.0.1 are recognised as the partner's.
  got.clear();
  ASSERT_TRUE(a.udp_set_remote("localhost", port + 1));
  EXPECT_EQ(a.udp_remote_address(), "127.0.0.1");
  ASSERT_TRUE(a.udp_send("OK"));
  for (int i = 0; i < 100 && got.empty(); ++i) b.sleep_until_event(20);
  EXPECT_EQ(got, "OK");
  a.udp_close();
  b.udp_close();
}

}  // namespace
}  // namespace sekiba
