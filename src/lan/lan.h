#pragma once
// The LAN match: transport and waits, connection, menus, the partner list and the
// game protocol between two copies. In each copy `man` is its own user and `com`
// the remote one; messages beginning man_ describe the sender's own user.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sekiba {

struct Game;

// Thrown out of a wait once the user gives up the match (the no-answer prompt,
// "終了(&E)" of the LAN menu); the Start command catches it and returns to the
// title screen.
struct LanAbandoned : std::exception {
  const char* what() const noexcept override { return "LAN match abandoned"; }
};

// ---- transport (lan_transport.cpp) ----
// Installs the datagram and after-event handlers on the platform.
void lan_attach(Game& g);
// The socket's arrival: a datagram from the partner joins the queue.
void udpPeerA_DataArrival(Game& g, const std::string& bytes, const std::string& from, int from_port);
// Sends one message (nothing outside a LAN match).
void lan_send(Game& g, const std::string& message);
// Waits for the next message into jusin_str.
void jusin_machi(Game& g);
void send_ok(Game& g);
void check_ok(Game& g);
// Waits for a message beginning with `keyword` that `valid` accepts (any, when
// empty) and returns it; everything else taken on the way is dropped.
std::string keyword_wait(Game& g, std::string_view keyword,
                         const std::function<bool(const std::string&)>& valid = {});
// The remote user's next action: 1 ron, 2 draw, 3 self-draw win, 4 discard,
// 5 riichi counter, 6 pon, 7 chi, 8 open kan, 9 closed kan, 10 added kan; 0
// outside a LAN match. The values go to aite_hai (and aite_houhou).
// `applied` holds the bits (lan_code_bit) of the codes the caller's step
// carries out: one of those that this copy's table cannot carry out (a discard
// or call of tiles the partner does not hold) ends the match.
inline constexpr unsigned lan_code_bit(int code) { return 1u << code; }
int aite_matsu(Game& g, unsigned applied = 0);
// Sends an acknowledged message: the message, then the wait for "OK".
void lan_send_ack(Game& g, const std::string& message);
// Tells a partner that speaks the extended delivery that this copy leaves.
void lan_tell_bye(Game& g);
// Gives up the match: leaves LAN mode and unwinds with LanAbandoned.
[[noreturn]] void lan_abandon(Game& g);
// The partner reported what this copy's table cannot hold: the match ends.
[[noreturn]] void lan_mismatch(Game& g);

// ---- connection and menus (lan_connect.cpp) ----
void setuzoku_check(Game& g);
void gest_sub(Game& g);
void setuzoku_mnu(Game& g);
void mnuhost_Click(Game& g);
void mnugest_Click(Game& g);
void mnulane_Click(Game& g);
void mnuaite_Click(Game& g);
// The window title with the partner, as the role menus set it.
std::string lan_caption(const Game& g);
// The dealer decision of a LAN match: the guest receives it (true: done, no dice);
// the host connects first.
bool lan_oya_kime_guest(Game& g);
void lan_oya_kime_host_connect(Game& g);
void lan_oya_kime_host_send(Game& g);
// Back to the title screen after a match was given up.
void lan_back_to_title(Game& g);

// ---- partner list (lan_partner.cpp) ----
void lan_aite_load(Game& g);
bool lan_aite_save(Game& g);
// The dialog's two buttons on its list: true when the dialog closes.
// `list` is the combo box list, `text` its edit text (both updated).
bool frmlan_cmdhenkou_Click(Game& g, std::vector<std::string>& list, std::string& text);
void frmlan_cmddel_Click(Game& g, std::vector<std::string>& list, std::string& text);
// The list as the dialog opens with it, and its starting text.
std::vector<std::string> frmlan_list(const Game& g);

// ---- the game protocol (lan_setup.cpp, lan_turn.cpp, lan_settle.cpp) ----
void lan_set_dora(Game& g);  // after the host drew: send; the guest: receive
void lan_haipai_send(Game& g);
void lan_haipai_receive(Game& g);
// The watcher's turn up to the discard: 0 with the discarded tile in `discard`
// and whether it declares riichi in `rechi` (the caller pauses, shows the
// riichi and lays the tile as the computer's own), 1 ron, 2 self-draw win.
int lan_com_main(Game& g, std::int16_t& discard, bool& rechi);
void lan_pon_sub(Game& g, int hai);
void lan_chi_sub(Game& g, int hai, int houhou);
void lan_kan_sub(Game& g, int hai);
void lan_unkan_sub(Game& g, int hai);
void lan_pon_minkan_sub(Game& g, int hai);
void lan_sute_ichi_kesu(Game& g, int flg);
void lan_pr_naki_hai(Game& g);
void yaku_main_lan(Game& g);
int yakuman_hantei_lan(Game& g);
int yaku_hantei_lan(Game& g);
int lan_score_input(Game& g, int han);
// The exhaustive-draw exchange: sends the own tenpai, returns the partner's.
int lan_nagare_exchange(Game& g, int man_tenpai);
void lan_key_machi(Game& g);
// The final scores: returns the partner's.
long long lan_tensu_exchange(Game& g);
// The last-discard exchange on the side that does not deal; the dealer's side sends.
int lan_haitei_receive(Game& g);
void lan_haitei_send(Game& g, int result);

// ---- the actor's messages (each acknowledged; nothing outside a LAN match) ----
void lan_send_tumo(Game& g, int tile);
void lan_send_sute(Game& g, int tile, int man_rechi);
void lan_send_pon(Game& g, int tile);
void lan_send_chi(Game& g, int tile, int houhou);
void lan_send_kan(Game& g, int tile);
void lan_send_ukn(Game& g, int tile);
void lan_send_pkn(Game& g, int tile);
void lan_send_ron(Game& g, int tile);
void lan_send_agari(Game& g, int tile);

}  // namespace sekiba
