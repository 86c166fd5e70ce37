// Two copies of the game, host and guest, each on its own thread with its own
// platform, play whole matches over loopback UDP. Both users are played through
// the real turn code by scripted keys; at every end of a hand each copy's own
// side must equal the other copy's opponent side.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/contine.h"
#include "engine/driver.h"
#include "engine/startup.h"
#include "com/shikou.h"
#include "eval/bunkai.h"
#include "eval/hand.h"
#include "lan/lan.h"
#include "man/man.h"
#include "platform/fileio.h"
#include "records/hiscore.h"
#include "records/settings.h"
#include "test_game.h"

namespace sekiba {
namespace {

InputEvent key(int vk) { return InputEvent{InputEvent::Kind::KeyDown, vk}; }
constexpr int kEnterVk = 13;
int letter(int slot) { return 64 + slot; }  // A..N name slots 1..14

// One side's table as it stands at an end-of-hand prompt.
struct Snapshot {
  std::vector<int> man_hand, com_hand;
  std::vector<std::pair<int, int>> man_melds, com_melds;
  std::vector<int> man_sute, com_sute;
  int man_ten = 0, rechi_bou = 0, oya = 0, kyoku = 0, honba = 0;
};

std::vector<int> tiles(const std::array<Tile, 16>& h) {
  std::vector<int> v;
  for (int i = 1; i <= 14; ++i)
    if (h[std::size_t(i)] != kEmpty) v.push_back(h[std::size_t(i)]);
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<std::pair<int, int>> melds(const std::array<Tile, 6>& hai, const std::array<std::int16_t, 6>& kind,
                                       int cnt) {
  std::vector<std::pair<int, int>> v;
  for (int k = 1; k < std::min(cnt, 5); ++k) v.emplace_back(hai[std::size_t(k)], kind[std::size_t(k)]);
  return v;
}

Snapshot snap(const Game& g) {
  const Table& t = g.t;
  Snapshot s;
  s.man_hand = tiles(t.man_hai);
  s.com_hand = tiles(t.com_hai);
  s.man_melds = melds(t.man_naki_hai, t.man_naki_kind, t.man_naki_cnt);
  s.com_melds = melds(t.com_naki_hai, t.com_naki_kind, t.com_naki_cnt);
  s.man_sute.assign(t.man_sute.begin() + 1, t.man_sute.begin() + 21);
  s.com_sute.assign(t.com_sute.begin() + 1, t.com_sute.begin() + 21);
  s.man_ten = t.man_ten;
  s.rechi_bou = t.rechi_bou;
  s.oya = t.oya;
  s.kyoku = t.kyoku;
  s.honba = t.honba;
  return s;
}

// The user of one copy: calls whatever it can, declares riichi when it can, wins
// when it can, otherwise throws the drawn tile (or the first of `give_first`).
struct Player {
  bool in_turn = false;
  std::vector<int> give_first;  // tiles thrown before anything else, in order
  // A choice refused by the game (furiten, no yaku for riichi...) is not tried
  // again in the same position.
  std::string last_state;
  std::size_t attempt = 0;
  int riichi_slot = 0;
  std::vector<int> cached;
  // Calls on every chance in the first hand of a stacked match; otherwise the
  // hand stays closed and the hint chooses the discard, so that hands are won.
  bool stacked = false;
  static bool first_hand(const Game& g) { return g.t.kyoku == 1 && g.t.honba == 1; }
  bool calls(const Game& g) const { return stacked && first_hand(g); }

  static bool complete(Game& g, const std::array<Tile, 16>& hand) {
    const auto saved_hand = g.t.man_hai;
    const Analysis saved = g.a;
    g.t.man_hai = hand;
    const bool r = man_agari_check(g) == kAgari;
    g.t.man_hai = saved_hand;
    g.a = saved;
    return r;
  }
  // Throwing the drawn tile leaves the hand ready (the judgement is costly, so
  // only that one throw is tried).
  static bool ready_after_drawn(Game& g) {
    const auto saved_hand = g.t.man_hai;
    const Analysis saved = g.a;
    g.t.man_hai[14] = kEmpty;
    const bool r = man_nagare_tenpai(g) == 38;
    g.t.man_hai = saved_hand;
    g.a = saved;
    return r;
  }
  static int count(const Game& g, int tile, int last) {
    int n = 0;
    for (int i = 1; i <= last; ++i) n += g.t.man_hai[std::size_t(i)] == tile;
    return n;
  }

  std::vector<int> choices(Game& g) {
    const Table& t = g.t;
    const int mode = g.man.sousa_mode;
    std::vector<int> c;
    if (mode == 0 || mode == 4) {  // the opponent's discard: ron, calls or the draw
      const int offered = t.com_sute[std::size_t(std::clamp<int>(t.com_junme - 1, 1, 20))];
      auto hand = t.man_hai;
      hand[14] = Tile(offered);
      if (complete(g, hand)) c.push_back('5');
      if (mode == 0 && calls(g) && t.man_rechi == 0 && t.man_naki_cnt <= 4) {
        const int n = count(g, offered, 13);
        if (n >= 3 && offered != 11) c.push_back('3');
        if (n >= 2) c.push_back('1');
        int ways = 0;
        if (offered < 30) {
          const int d = offered % 10;
          ways += d <= 7 && count(g, offered + 1, 13) && count(g, offered + 2, 13);
          ways += d >= 2 && d <= 8 && count(g, offered - 1, 13) && count(g, offered + 1, 13);
          ways += d >= 3 && count(g, offered - 2, 13) && count(g, offered - 1, 13);
        }
        if (ways == 1) c.push_back('2');
      }
      c.push_back('N');
      return c;
    }
    if (mode == 2) {  // the riichi tile
      c.push_back(letter(riichi_slot > 0 ? riichi_slot : 14));
      return c;
    }
    if (mode == 3) {
      c.push_back(kEnterVk);
      return c;
    }
    // The discard phase.
    if (complete(g, t.man_hai)) c.push_back('5');
    if (t.man_rechi == 0) {
      int fours = 0, adds = 0;
      for (int code = 1; code <= 37; ++code) fours += count(g, code, 14) == 4;
      for (int k = 1; k < std::min<int>(t.man_naki_cnt, 5); ++k)
        adds += t.man_naki_kind[std::size_t(k)] == 2 && count(g, t.man_naki_hai[std::size_t(k)], 14) > 0;
      if (fours == 1 && t.man_naki_cnt <= 4) c.push_back('3');
      if (adds == 1) c.push_back('6');
      if (t.man_naki_cnt == 1 && t.man_junme <= 12 && t.man_hai[14] != kEmpty &&
          ready_after_drawn(g)) {
        riichi_slot = 14;
        c.push_back('4');
      }
      for (int tile : give_first)
        for (int i = 1; i <= 14; ++i)
          if (t.man_hai[std::size_t(i)] == tile) {
            c.push_back(letter(i));
            i = 15;
          }
      // The discard the computer player would make with this hand.
      const Analysis saved = g.a;
      const ComState saved_com = g.com;
      man_work_set(g);
      com_bunkai_kime(g);
      const Tile r = com_man_shikou_sub(g, g.a.bunkai_no);
      g.a = saved;
      g.com = saved_com;
      for (int i = 14; i >= 1; --i)
        if (r != kEmpty && t.man_hai[std::size_t(i)] == r) {
          c.push_back(letter(i));
          break;
        }
    }
    c.push_back('N');
    return c;
  }

  void idle(Game& g, HeadlessPlatform& os) {
    if (g.rec.name_waiting) return frmname_cmdOK(g, "lan");
    if (!in_turn) {
      os.input.push_back(key(kEnterVk));
      return;
    }
    const Table& t = g.t;
    std::string state = std::to_string(g.man.sousa_mode) + "/" + std::to_string(t.man_junme) + "/" +
                        std::to_string(t.com_junme) + "/" + std::to_string(t.man_naki_cnt);
    for (int i = 1; i <= 14; ++i) state += "," + std::to_string(t.man_hai[std::size_t(i)]);
    if (state != last_state) {
      last_state = state;
      attempt = 0;
      cached = choices(g);
    }
    const auto& c = cached;
    const int vk = c[std::min(attempt++, c.size() - 1)];
    // A key the position never accepts must not spin forever: the last choice
    // (the draw, or the drawn tile) always is.
    os.input.push_back(key(vk));
  }
};

struct Copy {
  test::TempDir dir;
  HeadlessPlatform os;
  Game g{os};
  Player player;
  std::vector<Snapshot> hands;
  int game_end_prompts = 0;
  bool abandoned = false;
  std::string error;

  void start(bool host, int shift) {
    os.data_folder = dir.str();
    os.udp_port_shift = shift;
    os.max_idle_waits = 1000;
    ASSERT_TRUE(Form_Load(g));
    g.lan.aite_host = "127.0.0.1";
    g.s.settei[16] = 1;  // no thinking pause
    os.on_idle = [this](HeadlessPlatform& p) { player.idle(g, p); };
    g.players.man = [this](Game& game) {
      game.man.osekai_flag = 1;
      player.in_turn = true;
      const int r = man_main(game);
      player.in_turn = false;
      return r;
    };
    g.lan.on_key_machi = [this](Game& game) {
      if (game.t.kyoku_flag == 1) {
        hands.push_back(snap(game));
        if (hands.size() > 200) {  // a game that does not end is a failure, not a hang
          error = "no end after 200 hands";
          game.os.quit();
        }
      } else if (++game_end_prompts == 2) {
        // Both copies stop at the same prompt, after the whole game and its
        // final-score exchange; neither then waits for the other.
        game.os.quit();
      }
    };
    if (host) mnuhost_Click(g);
    else mnugest_Click(g);
    auto arrival = os.on_datagram;
    os.on_datagram = [this, arrival](const std::string& b, const std::string& f, int p) {
      received.push_back(b);
      arrival(b, f, p);
    };
  }
  std::vector<std::string> received;

  void run() {
    try {
      mnugame_Click(g);
      abandoned = true;  // it returns only when the match was given up
    } catch (const QuitRequested&) {
    } catch (const std::exception& e) {
      error = e.what();
    }
  }
};

void expect_mirrored(const Snapshot& h, const Snapshot& gst, std::size_t n) {
  SCOPED_TRACE("hand " + std::to_string(n));
  EXPECT_EQ(h.man_hand, gst.com_hand);
  EXPECT_EQ(h.com_hand, gst.man_hand);
  EXPECT_EQ(h.man_melds, gst.com_melds);
  EXPECT_EQ(h.com_melds, gst.man_melds);
  EXPECT_EQ(h.man_sute, gst.com_sute);
  EXPECT_EQ(h.com_sute, gst.man_sute);
  // Every payment moves both users' scores by the same amount the other way.
  EXPECT_EQ(h.man_ten + gst.man_ten, 600);
  EXPECT_EQ(h.rechi_bou, gst.rechi_bou);
  EXPECT_EQ(h.oya, 3 - gst.oya);
  EXPECT_EQ(h.kyoku, gst.kyoku);
  EXPECT_EQ(h.honba, gst.honba);
}

// A deal that makes the first hand call everything: the host holds four 1s (a
// closed kan), three 11s (a pon on the guest's 11 and then the added kan), 13
// and 14 (a chi on 15) and three 22s (an open kan on the guest's 22); the guest
// throws 11, 15 and 22 first.
void stack_first_hand(Game& g) {
  Table& t = g.t;
  if (t.kyoku != 1 || t.honba != 1) return;
  const std::array<int, 14> host = {1, 1, 1, 1, 11, 11, 11, 13, 14, 22, 22, 22, 31, 32};
  const std::array<int, 14> guest = {11, 15, 22, 34, 35, 36, 37, 27, 28, 29, 17, 18, 19, 26};
  auto fill = [](std::array<Tile, 16>& hand, const std::array<int, 14>& v, bool deals) {
    for (int i = 1; i <= 14; ++i) hand[std::size_t(i)] = Tile(v[std::size_t(i - 1)]);
    if (!deals) hand[14] = kEmpty;
    std::sort(hand.begin() + 1, hand.begin() + 15);
  };
  fill(t.man_hai, host, t.oya == 1);
  fill(t.com_hai, guest, t.oya == 2);
  std::fill(t.hai_cnt.begin(), t.hai_cnt.end(), 0);
  t.hai_cnt[10] = t.hai_cnt[20] = t.hai_cnt[30] = t.hai_cnt[38] = 4;
  for (Tile x : {t.dora, t.ura_dora, t.kan_dora}) ++t.hai_cnt[std::size_t(x)];
  for (int i = 1; i <= 14; ++i) {
    ++t.hai_cnt[std::size_t(t.man_hai[std::size_t(i)])];
    ++t.hai_cnt[std::size_t(t.com_hai[std::size_t(i)])];
  }
}

void play_match(bool host_first, bool stacked) {
  Copy host, guest;
  // Ports of our own for this run, so parallel tests never meet; a taken pair
  // is passed over.
  int shift = 0;
  for (int attempt = 0; attempt < 20; ++attempt) {
    shift = 1000 + int((::getpid() * 7919 + attempt * 104729) % 40000);
    host.start(true, shift);
    guest.start(false, shift);
    if (host.g.t.lan_mode == 1 && guest.g.t.lan_mode == 1) break;
    mnulane_Click(host.g);
    mnulane_Click(guest.g);
  }
  ASSERT_EQ(host.g.t.lan_mode, 1);
  ASSERT_EQ(guest.g.t.lan_mode, 1);
  if (stacked) {
    host.g.lan.after_deal = stack_first_hand;
    guest.player.give_first = {11, 15, 22};
    host.player.stacked = guest.player.stacked = true;
  }
  // What each user keeps outside the match: a saved game against the computer,
  // and the guest's own options.
  guest.g.s.settei[13] = 1;
  const std::string saved = format_contine(contine_from_table(host.g.t, 1, 7, 43));
  for (Copy* c : {&host, &guest}) ASSERT_TRUE(write_file_atomic(c->dir.file("sekiba_cos.bin"), saved));
  std::thread first([&] { (host_first ? host : guest).run(); });
  // The other copy's user presses Start a moment later.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  std::thread second([&] { (host_first ? guest : host).run(); });
  first.join();
  second.join();

  EXPECT_EQ(host.error, "");
  EXPECT_EQ(guest.error, "");
  EXPECT_FALSE(host.abandoned);
  EXPECT_FALSE(guest.abandoned);
  EXPECT_EQ(host.game_end_prompts, 2);
  ASSERT_EQ(host.hands.size(), guest.hands.size());
  EXPECT_GE(host.hands.size(), 8u);  // all eight dealer turns, whatever the scores
  for (std::size_t i = 0; i < host.hands.size(); ++i) expect_mirrored(host.hands[i], guest.hands[i], i);
  // The guest played under the host's settings.
  if (stacked) {
    // The pon of 11 grew into an added kan; the closed kan, the chi on 15 and
    // the open kan on 22 followed, each replayed on the guest's table.
    std::vector<std::pair<int, int>> m = host.hands.at(0).man_melds;
    std::sort(m.begin(), m.end());
    EXPECT_EQ(m, (std::vector<std::pair<int, int>>{{1, 4}, {11, 3}, {13, 1}, {22, 3}}));
  }
  // Points moved: hands were won, not only drawn.
  EXPECT_TRUE(std::any_of(host.hands.begin(), host.hands.end(),
                          [](const Snapshot& s) { return s.man_ten != 300; }));
  for (int i = 0; i < 20; ++i) EXPECT_EQ(host.g.s.settei[std::size_t(i)], guest.g.s.settei[std::size_t(i)]);
  for (Copy* c : {&host, &guest}) {
    game_save(c->g);  // quitting
    EXPECT_EQ(read_file(c->dir.file("sekiba_cos.bin")), saved);
  }
  ASSERT_TRUE(settei_save(guest.g));
  mnulane_Click(guest.g);
  EXPECT_EQ(guest.g.s.settei[13], 1);
  Settings in_file;
  parse_settei(read_file(guest.dir.file("sekiba_set.txt")).value_or(""), in_file);
  EXPECT_EQ(in_file.settei[13], 1);
  if (::testing::Test::HasFailure()) {
    for (Copy* c : {&host, &guest}) {
      fprintf(stderr, "--- %s dropped %zu %zu %zu\n", c == &host ? "host" : "guest", c->g.lan.dropped_foreign,
              c->g.lan.dropped_malformed, c->g.lan.dropped_overflow);
      for (std::size_t i = c->received.size() > 12 ? c->received.size() - 12 : 0; i < c->received.size(); ++i)
        fprintf(stderr, "  [%s]\n", c->received[i].c_str());
    }
  }
}

TEST(LanMatch, HostStartedFirstPlaysAWholeGame) { play_match(true, false); }

TEST(LanMatch, GuestStartedFirstWithEveryKindOfCall) { play_match(false, true); }

}  // namespace
}  // namespace sekiba
