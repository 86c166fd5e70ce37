// The queue, the waits and the messages of one copy, with the partner played by
// the test: datagrams go straight into the arrival handler, sends are recorded.
#include <gtest/gtest.h>

#include <algorithm>

#include "com/com_turn.h"
#include "engine/driver.h"
#include "engine/game.h"
#include "engine/startup.h"
#include "engine/waits.h"
#include "ivent/ivent.h"
#include "lan/lan.h"
#include "lan/lan_wire.h"
#include "platform/fileio.h"
#include "man/input.h"
#include "screen/draw.h"
#include "test_game.h"

namespace sekiba {
namespace {

// The door with a socket that always binds and records what is sent.
class RecordingPlatform : public HeadlessPlatform {
 public:
  std::vector<std::string> sent;
  std::vector<int> binds;
  std::vector<std::pair<std::string, int>> remotes;
  bool bind_ok = true;
  bool udp_bind(int port) override {
    binds.push_back(port);
    return bind_ok;
  }
  bool udp_set_remote(const std::string& host, int port) override {
    remotes.emplace_back(host, port);
    return host == "127.0.0.1" || host == "partner";
  }
  std::string udp_remote_address() const override { return "127.0.0.1"; }
  bool udp_send(const std::string& bytes) override {
    sent.push_back(bytes);
    sent_at.push_back(clock_ms);
    return true;
  }
  std::vector<std::int64_t> sent_at;
  std::vector<std::pair<std::string, std::int64_t>> waves;  // with the clock when played
  bool play_wave(const std::string& path) override {
    waves.emplace_back(path, clock_ms);
    return HeadlessPlatform::play_wave(path);
  }
};

struct LanGame {
  test::TempDir dir;
  RecordingPlatform os;
  Game g{os};
  explicit LanGame(bool host = true) {
    os.data_folder = dir.str();
    g.t.app_path = dir.str();
    lan_attach(g);
    g.lan.aite_host = "partner";
    if (host) mnuhost_Click(g);
    else mnugest_Click(g);
  }
  // The partner's datagrams, already arrived.
  void from_partner(std::initializer_list<std::string> messages) {
    for (const auto& m : messages) udpPeerA_DataArrival(g, m, "127.0.0.1", g.lan.partner_port);
  }
};

// The partner's hand as this copy knows it, and the local user's last discard:
// what the partner's actions may take.
void partner_holds(Game& g, std::initializer_list<int> tiles, int last_discard) {
  g.t.com_hai.fill(kEmpty);
  int i = 1;
  for (int t : tiles) g.t.com_hai[std::size_t(i++)] = Tile(t);
  g.t.man_junme = 2;
  g.t.man_sute[1] = Tile(last_discard);
}

TEST(LanQueue, DropsForeignSendersAndKeepsThePartners) {
  LanGame lg;
  ASSERT_EQ(lg.g.t.lan_mode, 1);
  udpPeerA_DataArrival(lg.g, "OK", "10.0.0.7", kGuestPort);
  udpPeerA_DataArrival(lg.g, "OK", "127.0.0.1", 4444);  // right host, wrong port
  EXPECT_TRUE(lg.g.lan.queue.empty());
  EXPECT_EQ(lg.g.lan.dropped_foreign, 2u);
  // A partner named by the machine's own name answers from another loopback address.
  udpPeerA_DataArrival(lg.g, "OK", "::ffff:127.0.1.1", kGuestPort);
  EXPECT_EQ(lg.g.lan.queue.size(), 1u);
}

TEST(LanQueue, AFloodIsCutAtTheBoundAndNothingUnreadIsLost) {
  LanGame lg;
  for (int i = 0; i < 20000; ++i) lg.from_partner({"man_sute  " + std::to_string(i % 9 + 1)});
  EXPECT_EQ(lg.g.lan.queue.size(), kQueueLimit);
  EXPECT_EQ(lg.g.lan.dropped_overflow, 20000u - kQueueLimit);
  EXPECT_EQ(lg.g.lan.queue.front(), "man_sute  1");  // the oldest is still first
  // Oversized datagrams never enter, whatever the room.
  lg.g.lan.queue.clear();
  lg.from_partner({std::string(70000, 'x')});
  EXPECT_TRUE(lg.g.lan.queue.empty());
}

TEST(LanQueue, CheckOkTakesAnyOkAndDropsWhatCameBefore) {
  LanGame lg;
  lg.from_partner({"host", "dora  5", "OKAY then", "OK"});
  check_ok(lg.g);
  ASSERT_EQ(lg.g.lan.queue.size(), 1u);
  EXPECT_EQ(lg.g.lan.queue.front(), "OK");
}

TEST(LanActions, OutOfRangeValuesAreDroppedAndTheWaitGoesOn) {
  LanGame lg;
  partner_holds(lg.g, {14, 16}, 15);
  lg.from_partner({"man_sute 99", "man_sute 20", "man_chi 15 4", "man_chi 18 1", "man_pon -1",
                   "junk", "man_chi 15 2"});
  EXPECT_EQ(aite_matsu(lg.g), 7);
  EXPECT_EQ(lg.g.lan.aite_hai, 15);
  EXPECT_EQ(lg.g.lan.aite_houhou, 2);
  EXPECT_EQ(lg.g.lan.dropped_malformed, 5u);
  EXPECT_EQ(lg.os.sent.back(), "OK");
  EXPECT_TRUE(lg.g.lan.queue.empty());
}

// The "OK"s this copy sent, plain or numbered.
int oks(const RecordingPlatform& os) {
  int n = 0;
  for (const auto& m : os.sent) n += m == "OK" || (m.rfind("#d", 0) == 0 && m.substr(m.find(' ') + 1) == "OK");
  return n;
}

TEST(LanActions, ATurnTheTableCannotHoldEndsTheMatchAtOnce) {
  // The partner holds 5 5 13 14 22 22 22 22; the local user threw 12 last.
  // Every message is well formed; the last of each list cannot be carried out.
  const std::vector<std::vector<std::string>> cases = {
      {"man_pon  5"},                  // a pair, but 5 was not the last discard
      {"man_pon  12"},                 // the last discard, but no pair of it
      {"man_chi 1202"},                // 11 missing
      {"man_kan  22"},                 // four held, but 22 was not discarded
      {"man_tumo  9", "man_ukn  5"},   // two held
      {"man_tumo  9", "man_pkn  22"},  // no pon to add to
      {"man_tumo  9", "man_sute  31"}, // not held
  };
  for (const bool numbered : {false, true}) {
    for (const auto& msgs : cases) {
      SCOPED_TRACE(msgs.back() + (numbered ? " numbered" : " plain"));
      LanGame lg;
      lg.os.udp_idle_jumps = true;
      Game& g = lg.g;
      g.lan.in_match = true;
      if (numbered) g.lan.rel.mode = 2;
      partner_holds(g, {5, 5, 13, 14, 22, 22, 22, 22}, 12);
      for (const auto& m : msgs) lg.from_partner({numbered ? "#d" + std::to_string(&m - &msgs[0] + 1) + " " + m : m});
      const auto start = lg.os.now_ms();
      EXPECT_THROW(com_main(g), LanAbandoned);
      // At once, without asking, and without acknowledging what was not applied.
      EXPECT_LT(lg.os.now_ms() - start, 1000);
      EXPECT_TRUE(lg.os.messages.empty());
      EXPECT_EQ(oks(lg.os), int(msgs.size()) - 1);
      EXPECT_EQ(g.t.lan_mode, 0);
      // A partner that numbers its messages is told, so that it stops waiting too.
      EXPECT_EQ(std::count(lg.os.sent.begin(), lg.os.sent.end(), "#x") > 0, numbered);
      lan_back_to_title(g);
      EXPECT_TRUE(lg.os.drew("相手と牌が食い違ったためＬＡＮ対戦を中止しました"));
      EXPECT_FALSE(lg.os.drew("ＬＡＮ対戦を中止しました"));
    }
  }
}

TEST(LanActions, CountsAboveFourAndCodesAStepIgnoresAreTaken) {
  // A draw of a code already out four times, a call the discard step does not
  // carry out: both acknowledged as a copy without checks would, and the
  // discard of the drawn tile is laid.
  LanGame lg;
  Game& g = lg.g;
  partner_holds(g, {5, 5, 13, 14, 22, 22, 22, 22, 31, 32, 33, 34, 35}, 12);
  g.t.hai_cnt[9] = 4;
  lg.from_partner({"man_tumo  9", "man_pon  36", "man_sute  9", "man_rechi  0"});
  EXPECT_EQ(com_main(g), 0);
  EXPECT_EQ(g.t.hai_cnt[9], 5);
  EXPECT_EQ(g.t.com_sute[1], 9);
  EXPECT_EQ(oks(lg.os), 4);
  EXPECT_EQ(g.t.lan_mode, 1);
  // A deal that, with the indicators, holds a fifth 1: taken and acknowledged.
  LanGame gu(false);
  Table& t = gu.g.t;
  t.oya = 2;
  gu.from_partner({"dora  1", "ura_dora  1", "kan_dora  2",
                   "com_haipai_nan  1 1 3 4 5 6 7 8 91112131438",
                   "man_haipai_ton  1 2 3 4 5 6 7 8 91112131415"});
  lan_set_dora(gu.g);
  lan_haipai_receive(gu.g);
  EXPECT_EQ(t.man_hai[1], 1);
  EXPECT_EQ(t.com_hai[14], 15);
  EXPECT_EQ(t.hai_cnt[1], 5);
  EXPECT_EQ(oks(gu.os), 5);
}

TEST(LanActions, CodesFollowTheKeywords) {
  LanGame lg;
  const std::pair<std::string, int> cases[] = {
      {"man_sute  7", 4}, {"man_rechi  1", 5}, {"man_ron  3", 1},  {"man_tumo  31", 2},
      {"man_agari  9", 3}, {"man_pon  22", 6}, {"man_kan  5", 8}, {"man_ukn  37", 9},
      {"man_pkn  11", 10}};
  partner_holds(lg.g, {7, 22, 22, 5, 5, 5, 37, 37, 37, 37, 11}, 0);
  lg.g.t.com_naki_hai[1] = 11;
  lg.g.t.com_naki_kind[1] = 2;
  lg.g.t.com_naki_cnt = 2;
  for (const auto& [m, code] : cases) {
    lg.g.t.man_sute[1] = Tile(*lan::value_last2(m));  // what a call takes
    lg.from_partner({m});
    EXPECT_EQ(aite_matsu(lg.g), code) << m;
  }
  lg.g.t.lan_mode = 0;
  EXPECT_EQ(aite_matsu(lg.g), 0);
}

TEST(LanActions, TheActorsMessagesAreByteExact) {
  LanGame lg;
  lg.from_partner({"OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK"});
  lan_send_tumo(lg.g, 5);
  lan_send_sute(lg.g, 12, 1);
  lan_send_chi(lg.g, 15, 2);
  lan_send_pkn(lg.g, 31);
  lan_send_agari(lg.g, 9);
  lan_send_ron(lg.g, 27);
  std::vector<std::string> data;
  for (const auto& s : lg.os.sent)
    if (s != "OK") data.push_back(s);
  EXPECT_EQ(data, (std::vector<std::string>{"man_tumo  5", "man_sute  12", "man_rechi  1",
                                            "man_chi 15 2", "man_pkn  31", "man_agari  9",
                                            "man_ron  27"}));
}

TEST(LanReplay, ChiMethodTwoOnFifteenTakesFourteenAndSixteen) {
  LanGame lg;
  Table& t = lg.g.t;
  t.com_hai = {0, 11, 14, 14, 16, 16, 21, 22, 23, 31, 31, 35, 36, 37, 38};
  lan_chi_sub(lg.g, 15, 2);
  EXPECT_EQ(t.com_naki_hai[1], 14);
  EXPECT_EQ(t.com_naki_kind[1], 1);
  EXPECT_EQ(t.com_naki_cnt, 2);
  int fourteens = 0, sixteens = 0, empties = 0;
  for (int i = 1; i <= 14; ++i) {
    fourteens += t.com_hai[std::size_t(i)] == 14;
    sixteens += t.com_hai[std::size_t(i)] == 16;
    empties += t.com_hai[std::size_t(i)] == kEmpty;
  }
  EXPECT_EQ(fourteens, 1);
  EXPECT_EQ(sixteens, 1);
  EXPECT_EQ(empties, 3);
  EXPECT_EQ(t.com_hai[14], kEmpty);  // sorted: the gaps go to the end
}

TEST(LanReplay, KansFromTheHandAndAnAddedKan) {
  LanGame lg;
  Table& t = lg.g.t;
  t.com_hai = {0, 5, 5, 5, 5, 12, 13, 14, 22, 22, 22, 31, 32, 33, 22};
  lan_pon_sub(lg.g, 13);  // two copies are not there: only what is found goes
  lan_unkan_sub(lg.g, 5);
  EXPECT_EQ(t.com_naki_kind[2], 4);
  lan_pon_minkan_sub(lg.g, 13);  // the pon of 13 becomes an open kan
  EXPECT_EQ(t.com_naki_kind[1], 3);
  // A partner that reports a fifth meld cannot write past the four places.
  lan_pon_sub(lg.g, 22);
  lan_pon_sub(lg.g, 22);
  lan_pon_sub(lg.g, 22);
  EXPECT_EQ(t.com_naki_cnt, 5);
}

TEST(LanReplay, TheRemoteRiichiComesAfterThePauseWithItsDiscard) {
  LanGame lg;
  Game& g = lg.g;
  Table& t = g.t;
  g.s.settei[16] = 0;  // the think pause of 400 to 1000 ms
  partner_holds(g, {1, 2, 3, 5, 6, 7, 13, 14, 15, 22, 23, 24, 31}, 12);
  t.com_junme = 3;
  t.man_ten = 250;
  lg.from_partner({"man_tumo  31", "man_sute  31", "man_rechi  1"});
  EXPECT_EQ(com_main(g), 0);
  const std::int64_t last_ok = lg.os.sent_at.back();
  std::int64_t rechi_at = -1, click_at = -1;
  for (const auto& [path, at] : lg.os.waves) {
    if (path.find("sekiba_wave_rechi") != std::string::npos) rechi_at = at;
    if (path.find("sekiba_wave_rechi") == std::string::npos && rechi_at >= 0 && click_at < 0) click_at = at;
  }
  ASSERT_GE(rechi_at, 0);
  EXPECT_GE(rechi_at - last_ok, 400);
  EXPECT_GE(click_at, rechi_at);  // the discard's click follows
  EXPECT_EQ(t.com_rechi, 2);
  EXPECT_EQ(t.rechi_bou, 1);
  EXPECT_EQ(t.man_ten, 260);
  EXPECT_EQ(t.com_daburi, 0);
}

TEST(LanSettle, AYakumanTextWithoutGroupsLeadsOnToTheYaku) {
  LanGame lg;
  lg.from_partner({"yakuman  0", "yakusuu  020 1"});
  EXPECT_EQ(yakuman_hantei_lan(lg.g), 0);
  EXPECT_EQ(yaku_hantei_lan(lg.g), 1);
}

TEST(LanSettle, ADoubleYakumanCountsTwentySix) {
  LanGame lg;
  lg.from_partner({"yakuman  1140101", "yakuman  01402"});
  // The first names yakuman 14 as "01" (single) and then a group cut short: dropped.
  EXPECT_EQ(yakuman_hantei_lan(lg.g), 26);
}

TEST(LanSettle, PointsArePaidWithoutAFloor) {
  LanGame lg;
  Table& t = lg.g.t;
  t.man_ten = 10;
  t.agari_pl = 2;
  lg.from_partner({"man_sd 99999999999", "man_sc  39"});
  lg.from_partner({"man_sd  80"});
  lan_score_input(lg.g, 5);
  EXPECT_EQ(t.man_ten, -70);
}

TEST(LanSettle, FinalScoresKeepTheirSign) {
  LanGame lg;
  lg.g.t.man_ten = -25;
  lg.from_partner({"man_tensu -40", "OK"});
  EXPECT_EQ(lan_tensu_exchange(lg.g), -40);
  EXPECT_EQ(lg.os.sent.at(lg.os.sent.size() - 2), "man_tensu -25");
}

TEST(LanSetup, TheGuestTakesIndicatorsAndDropsImpossibleTiles) {
  LanGame lg(false);
  lg.from_partner({"dora  20", "dora  99", "dora  5", "ura_dora  38", "ura_dora  31",
                   "kan_dora  9"});
  lan_set_dora(lg.g);
  EXPECT_EQ(lg.g.t.dora, 5);
  EXPECT_EQ(lg.g.t.ura_dora, 31);
  EXPECT_EQ(lg.g.t.kan_dora, 9);
  EXPECT_EQ(lg.g.t.hai_cnt[5], 1);
}

TEST(LanConnect, TheGuestMirrorsTheDealerAndTakesTheSettings) {
  for (auto [sent, mine] : {std::pair{'1', 2}, std::pair{'2', 1}}) {
    LanGame lg(false);
    std::string data = "set_data ";
    for (int i = 0; i < 20; ++i) data += lan::field2(i == 3 ? 10 : i == 4 ? -1 : i % 2);
    ASSERT_EQ(data.size(), 49u);
    EXPECT_EQ(data.substr(15, 4), "10-1");
    lg.g.s.settei[22] = 7;
    lg.from_partner({"OK", "host", "host", "host", "OK", std::string("basho  ") + sent, data});
    lan_oya_kime_guest(lg.g);
    EXPECT_EQ(lg.g.t.oya, mine);
    EXPECT_EQ(lg.g.s.settei[3], 10);
    EXPECT_EQ(lg.g.s.settei[4], -1);
    EXPECT_EQ(lg.g.s.settei[5], 1);
    EXPECT_EQ(lg.g.s.settei[22], 7);  // the guest's own beyond the twenty
    // The offer of numbered delivery reads as "gest" to a plain host, whose
    // plain "OK" keeps this copy plain.
    EXPECT_EQ(lg.os.sent, (std::vector<std::string>{kReliableOffer, "OK", "OK"}));
    EXPECT_FALSE(lg.os.menu_is_visible("mnuaite"));
  }
}

TEST(LanConnect, TheHostSendsDealerAndSettings) {
  LanGame lg;
  lg.g.t.oya = 1;
  lg.g.s.settei[0] = 10;
  lg.g.s.settei[19] = -1;
  lg.from_partner({"OK", "OK"});
  lan_oya_kime_host_send(lg.g);
  ASSERT_EQ(lg.os.sent.size(), 2u);
  EXPECT_EQ(lg.os.sent[0], "basho  1");
  EXPECT_EQ(lg.os.sent[1].size(), 49u);
  EXPECT_EQ(lg.os.sent[1].substr(0, 11), "set_data 10");
  EXPECT_EQ(lg.os.sent[1].substr(47), "-1");
}

TEST(LanConnect, TheHostRepeatsHostUntilTheGuestAnswers) {
  LanGame lg;
  lg.os.udp_idle_jumps = true;  // each empty wait lets its whole time pass
  int passes = 0;
  auto original = lg.os.after_events;
  lg.os.after_events = [&] {
    if (++passes == 3) lg.from_partner({"basho  1", "gest"});
    original();
  };
  setuzoku_check(lg.g);
  // One "host" at the start and one each time the five seconds ran out; the
  // message that is not "gest" is passed over.
  EXPECT_EQ(lg.os.sent, (std::vector<std::string>{"host", "host", "host", "host", "OK"}));
  EXPECT_EQ(lg.g.lan.timer_due, -1);
}

TEST(LanConnect, TheGuestOffersOnceForEachHostThatComesAfterIt) {
  // The second "host" was queued before the offer went out and is passed over,
  // as a copy without numbering passes it over; the one that comes two seconds
  // later says that the offer was not heard.
  LanGame lg(false);
  lg.from_partner({"host", "host"});
  bool repeated = false, answered = false;
  auto original = lg.os.after_events;
  lg.os.after_events = [&] {
    if (!repeated && lg.os.now_ms() >= 2000) repeated = true, lg.from_partner({"host"});
    if (!answered && lg.os.now_ms() >= 4000) answered = true, lg.from_partner({"OK"});
    original();
  };
  gest_sub(lg.g);
  check_ok(lg.g);
  EXPECT_TRUE(answered);
  EXPECT_EQ(lg.os.sent, (std::vector<std::string>{kReliableOffer, kReliableOffer}));
}

TEST(LanConnect, ANewConnectionForgetsWhatTheLastPartnerSpoke) {
  // Host: the last guest numbered its messages and vanished; the next one does
  // not number them and answers after seven seconds. It hears "host" at the
  // pace of five seconds, and no goodbye when this copy leaves.
  {
    LanGame lg;
    Game& g = lg.g;
    g.lan.in_match = true;
    lg.from_partner({kReliableOffer});
    setuzoku_check(g);
    ASSERT_EQ(g.lan.rel.mode, 2);
    lg.os.sent.clear();
    const auto start = lg.os.now_ms();
    bool answered = false;
    auto original = lg.os.after_events;
    lg.os.after_events = [&] {
      if (!answered && lg.os.now_ms() - start >= 7000) answered = true, lg.from_partner({"gest"});
      original();
    };
    setuzoku_check(g);
    EXPECT_EQ(lg.os.sent, (std::vector<std::string>{"host", "host", "OK"}));
    mnulane_Click(g);
    EXPECT_EQ(std::count(lg.os.sent.begin(), lg.os.sent.end(), "#x"), 0);
  }
  // Guest: the last host numbered its messages; the next one answers a plain "OK".
  {
    LanGame lg(false);
    Game& g = lg.g;
    g.lan.in_match = true;
    lg.from_partner({"host"});
    gest_sub(g);
    lg.from_partner({kReliableAccept});
    check_ok(g);
    ASSERT_EQ(g.lan.rel.mode, 2);
    std::string data = "set_data ";
    for (int i = 0; i < 20; ++i) data += lan::field2(0);
    lg.from_partner({"host"});
    bool answered = false;
    auto original = lg.os.after_events;
    lg.os.after_events = [&] {
      if (!answered && g.lan.rel.mode == 1) answered = true, lg.from_partner({"OK", "basho  1", data});
      original();
    };
    lan_oya_kime_guest(g);
    EXPECT_EQ(g.lan.rel.mode, 0);
    lg.os.sent.clear();
    mnulane_Click(g);
    EXPECT_TRUE(lg.os.sent.empty());
  }
}

TEST(LanConnect, SwitchingRolesKeepsThePortsOfTheFirstChoice) {
  LanGame lg;  // host first
  mnugest_Click(lg.g);
  EXPECT_EQ(lg.os.binds, std::vector<int>{kHostPort});
  ASSERT_EQ(lg.os.remotes.size(), 2u);
  EXPECT_EQ(lg.os.remotes[1].second, kGuestPort);
  EXPECT_EQ(lg.g.t.lan_host, 0);
  EXPECT_NE(lg.os.caption.find(" [GUEST: partner と対戦]"), std::string::npos);
  EXPECT_TRUE(lg.os.menu_check["mnugest"]);
  EXPECT_FALSE(lg.os.menu_check["mnuhost"]);
  mnulane_Click(lg.g);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  EXPECT_EQ(lg.os.caption.find("["), std::string::npos);
  EXPECT_TRUE(lg.os.menu_is_visible("mnusettei"));
  mnugest_Click(lg.g);  // a fresh choice binds afresh
  EXPECT_EQ(lg.os.binds.back(), kGuestPort);
}

TEST(LanConnect, NoPartnerOrNoPortStaysOutOfLanMode) {
  LanGame lg;
  mnulane_Click(lg.g);
  lg.g.lan.aite_host.clear();
  mnuhost_Click(lg.g);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  lg.g.lan.aite_host = "no.such.host";
  mnuhost_Click(lg.g);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  lg.g.lan.aite_host = "partner";
  lg.os.bind_ok = false;
  mnuhost_Click(lg.g);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  EXPECT_EQ(lg.os.messages.size(), 3u);
  EXPECT_TRUE(lg.os.menu_is_visible("mnusettei"));
}

TEST(LanWait, SilenceAsksAndYesGivesUp) {
  LanGame lg;
  lg.os.udp_idle_jumps = true;
  lg.os.answers = {MessageAnswer::No, MessageAnswer::Yes};
  const auto start = lg.os.now_ms();
  EXPECT_THROW(jusin_machi(lg.g), LanAbandoned);
  ASSERT_EQ(lg.os.messages.size(), 2u);
  EXPECT_EQ(lg.os.messages[0].text, "相手からの応答がありません。対戦を中止しますか？");
  EXPECT_EQ(lg.os.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_GE(lg.os.now_ms() - start, 2 * kNoAnswerMs);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
}

TEST(LanWait, ANumberedPartnerThatAnswersNoQuestionIsGone) {
  // Fifteen seconds without a word, even in the partner's turn: gone, without
  // asking the user.
  {
    LanGame lg;
    Game& g = lg.g;
    lg.os.udp_idle_jumps = true;
    g.lan.in_match = true;
    lg.from_partner({kReliableOffer});
    setuzoku_check(g);
    const auto start = lg.os.now_ms();
    EXPECT_THROW(aite_matsu(g), LanAbandoned);
    EXPECT_GE(lg.os.now_ms() - start, kPartnerGoneMs);
    EXPECT_LT(lg.os.now_ms() - start, kPartnerGoneMs + 1000);
    EXPECT_TRUE(lg.os.messages.empty());
    lan_back_to_title(g);
    EXPECT_TRUE(lg.os.drew("相手からの応答が途絶えました"));
  }
  // A partner that answers the questions is waited for as long as its user
  // may take, and this copy answers one question at most every half second.
  {
    LanGame lg;
    Game& g = lg.g;
    lg.os.udp_idle_jumps = true;
    g.lan.in_match = true;
    lg.from_partner({kReliableOffer});
    setuzoku_check(g);
    std::size_t seen = lg.os.sent.size();
    auto original = lg.os.after_events;
    lg.os.after_events = [&] {
      for (; seen < lg.os.sent.size(); ++seen)
        if (lg.os.sent[seen].rfind("#a", 0) == 0) lg.from_partner({"#a0"});
      original();
    };
    lg.os.answers = {MessageAnswer::Yes};
    const auto start = lg.os.now_ms();
    EXPECT_THROW(aite_matsu(g), LanAbandoned);
    EXPECT_GE(lg.os.now_ms() - start, kUserNoAnswerMs);
    EXPECT_EQ(lg.os.messages.size(), 1u);

    LanGame quiet;
    quiet.from_partner({kReliableOffer});
    setuzoku_check(quiet.g);
    quiet.os.clock_ms += 1000;
    quiet.os.sent.clear();
    quiet.from_partner({"#a0", "#a0"});
    quiet.os.clock_ms += kProbeAnswerMs;
    quiet.from_partner({"#a0"});
    EXPECT_EQ(quiet.os.sent, (std::vector<std::string>{"#a0", "#a0"}));
  }
}

TEST(LanWait, LeavingFromTheMenuEndsAnyWait) {
  LanGame lg;
  lg.g.lan.in_match = true;
  int passes = 0;
  auto original = lg.os.after_events;
  lg.os.after_events = [&] {
    if (++passes == 3) mnulane_Click(lg.g);  // chosen while the wait handles events
    original();
  };
  EXPECT_THROW(check_ok(lg.g), LanAbandoned);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  EXPECT_TRUE(lg.os.menu_is_visible("mnuhost"));
}

TEST(LanWait, TheNoAnswerQuestionKeepsWaitingAndGivesWayToAMessage) {
  // A message arriving while the question is open answers it: the wait goes on
  // with that message and the user's Yes is never taken.
  LanGame lg;
  lg.os.udp_idle_jumps = true;
  lg.os.answers = {MessageAnswer::Yes};
  lg.os.on_prompt = [&](HeadlessPlatform&) { lg.from_partner({"OK"}); };
  const auto start = lg.os.now_ms();
  check_ok(lg.g);
  EXPECT_EQ(lg.os.messages.size(), 1u);
  EXPECT_EQ(lg.os.answers.size(), 1u);
  EXPECT_EQ(lg.g.t.lan_mode, 1);
  EXPECT_LT(lg.os.now_ms() - start, kUserNoAnswerMs);
  // Waits on the partner's user ask only after five minutes.
  lg.os.on_prompt = nullptr;
  lg.os.messages.clear();
  const auto turn = lg.os.now_ms();
  EXPECT_THROW(aite_matsu(lg.g), LanAbandoned);
  ASSERT_EQ(lg.os.messages.size(), 1u);
  EXPECT_GE(lg.os.now_ms() - turn, kUserNoAnswerMs);
}

TEST(LanMatchMenus, WhileWaitingForThePartnerNoSeriesModeAndNoNestedStart) {
  LanGame lg(false);
  Game& g = lg.g;
  lg.os.udp_idle_jumps = true;
  int passes = 0, nested = 0;
  bool inside = false;
  auto original = lg.os.after_events;
  lg.os.after_events = [&] {
    if (inside) {  // a second game started inside the first: end it
      ++nested;
      mnulane_Click(g);
    } else if (++passes == 3) {
      inside = true;
      EXPECT_FALSE(lg.os.menu_is_visible("mnumode"));
      mnumode_Click(g, 2);
      Form_KeyDown(g, 113);  // F2
      menu_command(g, "mnugame");
      inside = false;
      mnulane_Click(g);
    }
    original();
  };
  mnugame_Click(g);  // returns once the match is given up
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(g.t.game_mode, 0);
  EXPECT_EQ(g.t.lan_mode, 0);
  EXPECT_FALSE(g.lan.in_match);
  EXPECT_TRUE(lg.os.drew("ＬＡＮ対戦を中止しました"));
}

TEST(LanMatchMenus, LeavingFromASubScreenEndsTheMatch) {
  // 終了 chosen while 点棒 is open during a pause of the game (not a wait for
  // the partner). The sub-screen's handler swallows the unwinding, as the
  // window's handlers do; the pause must still unwind.
  LanGame lg;
  Game& g = lg.g;
  g.lan.in_match = true;
  int passes = 0;
  auto original = lg.os.after_events;
  lg.os.after_events = [&] {
    if (++passes == 1) {
      g.os.on_input = [&](const InputEvent&) { mnulane_Click(g); };
      lg.os.input.push_back(InputEvent{InputEvent::Kind::KeyDown, 13});
      try {
        tenbou_score(g);
      } catch (const std::exception&) {
      }
    }
    original();
  };
  EXPECT_THROW(wait_ms(g, 500), LanAbandoned);
  EXPECT_EQ(g.t.lan_mode, 0);
  EXPECT_EQ(g.t.shori_chu, 0);
}

TEST(LanMatchMenus, GivingUpAtTheHandshakeSaysSo) {
  LanGame lg;
  lg.os.udp_idle_jumps = true;
  lg.os.answers = {MessageAnswer::Yes};
  const auto start = lg.os.now_ms();
  mnugame_Click(lg.g);
  // The guest's user may be slow to press Start: five minutes pass first.
  EXPECT_GE(lg.os.now_ms() - start, kUserNoAnswerMs);
  EXPECT_EQ(lg.g.t.lan_mode, 0);
  EXPECT_TRUE(lg.os.drew("ＬＡＮ対戦を中止しました"));
}

TEST(LanReplay, TheRemoteRowShrinksToTheTrueCount) {
  LanGame lg;
  Game& g = lg.g;
  build_sheets(g.os, g.scr);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < kScreenW; ++x) g.scr.PicHAIKEI.at(x, y) = rgb(x % 256, y % 256, 77);
  g.scr.win = g.scr.PicHAIKEI;
  Table& t = g.t;
  t.com_hai = {0, 3, 3, 5, 7, 9, 11, 13, 15, 17, 19, 22, 24, 26, 38};
  t.com_naki_cnt = 1;
  com_ura_disp(g);
  t.man_junme = 1;
  lan_pon_sub(g, 3);
  // Eleven tiles are left: the places of slots 11..13 show the table again.
  for (int slot = 11; slot <= 13; ++slot) {
    const int x = 8 * (65 - 4 * slot) + 16, y = 30;
    EXPECT_EQ(g.scr.win.at(x, y), g.scr.PicHAIKEI.at(x, y)) << slot;
  }
  const int x10 = 8 * (65 - 40) + 16;
  EXPECT_NE(g.scr.win.at(x10, 30), g.scr.PicHAIKEI.at(x10, 30));
}

TEST(LanConnect, TheNoPartnerMessageNamesTheMenuAsShown) {
  LanGame lg;
  mnulane_Click(lg.g);
  lg.g.lan.aite_host.clear();
  mnugest_Click(lg.g);
  ASSERT_EQ(lg.os.messages.size(), 1u);
  EXPECT_NE(lg.os.messages[0].text.find("「相手(A)」"), std::string::npos);
  EXPECT_EQ(lg.os.messages[0].text.find("&"), std::string::npos);
}

// ---- partner list ----

TEST(LanPartners, TheFileFormAndAShortFile) {
  LanGame lg;
  Game& g = lg.g;
  std::vector<std::string> list;
  std::string text = "alpha";
  EXPECT_TRUE(frmlan_cmdhenkou_Click(g, list, text));
  text = " beta ";
  frmlan_cmdhenkou_Click(g, list, text);
  EXPECT_EQ(*read_file(lg.dir.file("sekiba_lan.txt")),
            "\" beta \"\r\n\"alpha\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  lan_aite_load(g);
  EXPECT_EQ(g.lan.aite_host, " beta ");  // blanks are part of the name
  EXPECT_EQ(frmlan_list(g), (std::vector<std::string>{" beta ", "alpha"}));
  write_file_atomic(lg.dir.file("sekiba_lan.txt"), "\"one\"\r\n\"two\"\r\n");
  lan_aite_load(g);
  EXPECT_EQ(g.lan.aite_list[1], "two");
  EXPECT_EQ(g.lan.aite_host, "");
}

TEST(LanPartners, ChoosingAddingAndDeleting) {
  LanGame lg;
  Game& g = lg.g;
  std::vector<std::string> list;
  std::string text;
  EXPECT_FALSE(frmlan_cmdhenkou_Click(g, list, text));  // empty text: nothing
  for (int i = 1; i <= 10; ++i) {
    text = "pc" + std::to_string(i);
    frmlan_cmdhenkou_Click(g, list, text);
  }
  text = "pc8";  // third in the list
  frmlan_cmdhenkou_Click(g, list, text);
  EXPECT_EQ(list[0], "pc8");
  EXPECT_EQ(list[1], "pc10");
  EXPECT_EQ(list[2], "pc9");
  EXPECT_EQ(list[3], "pc7");
  text = "pc11";  // an eleventh name drops the oldest
  frmlan_cmdhenkou_Click(g, list, text);
  EXPECT_EQ(g.lan.aite_list[9], "pc2");
  EXPECT_EQ(g.lan.aite_list[10], "");
  text = "pc11";  // deleting the partner in use makes the next one the partner
  frmlan_cmddel_Click(g, list, text);
  EXPECT_EQ(g.lan.aite_host, "pc8");
  EXPECT_EQ(text, "pc8");
  while (!list.empty()) {
    text = list.front();
    frmlan_cmddel_Click(g, list, text);
  }
  EXPECT_EQ(g.lan.aite_host, "");
  EXPECT_EQ(text, "");
}

TEST(LanPartners, AFailedWriteSaysSo) {
  LanGame lg;
  lg.g.t.app_path = lg.dir.file("missing/folder");
  EXPECT_FALSE(lan_aite_save(lg.g));
  ASSERT_FALSE(lg.os.messages.empty());
  EXPECT_EQ(lg.os.messages.back().text, "ＬＡＮ対戦相手のホストネームを書き込めませんでした");
  EXPECT_EQ(lg.os.messages.back().title, "ﾌｧｲﾙの書き込み");
}

}  // namespace
}  // namespace sekiba
