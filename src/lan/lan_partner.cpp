// The partner list: ten host names in sekiba_lan.txt, most recent first.
#include "engine/game.h"
#include "lan/lan.h"
#include "platform/fileio.h"
#include "records/own_files.h"

namespace sekiba {

namespace {

constexpr const char* kLanFile = "\\sekiba_lan.txt";

// One quoted text of a line: what lies between the first pair of quotation marks,
// or the bare line when it has none.
std::string quoted(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const auto open = line.find('"');
  if (open == std::string::npos) return line;
  const auto close = line.find('"', open + 1);
  return line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

void list_to_slots(Game& g, const std::vector<std::string>& list) {
  for (std::size_t i = 0; i < 10; ++i) g.lan.aite_list[i] = i < list.size() ? list[i] : std::string();
}

void remove_name(std::vector<std::string>& list, const std::string& name) {
  std::erase(list, name);
}

}  // namespace

void lan_aite_load(Game& g) {
  LanState& l = g.lan;
  l.aite_host.clear();
  for (auto& s : l.aite_list) s.clear();
  const auto bytes = read_own_file(g, kLanFile, N_("ＬＡＮ対戦相手のホストネーム"), 1u << 16);
  if (!bytes) return;
  std::size_t pos = 0;
  for (std::size_t slot = 0; slot < 10; ++slot) {
    if (pos >= bytes->size()) return;  // a short file keeps what it had
    auto end = bytes->find('\n', pos);
    if (end == std::string::npos) end = bytes->size();
    l.aite_list[slot] = quoted(bytes->substr(pos, end - pos));
    pos = end + 1;
  }
  l.aite_host = l.aite_list[0];
}

bool lan_aite_save(Game& g) {
  std::string out;
  for (std::size_t i = 0; i < 10; ++i) out += "\"" + g.lan.aite_list[i] + "\"\r\n";
  if (write_file_atomic(g.save_path(kLanFile), out)) return true;
  g.os.message_box(g.os.tr("ＬＡＮ対戦相手のホストネームを書き込めませんでした"), g.os.tr("ﾌｧｲﾙの書き込み"),
                   MessageButtons::Ok, MessageIcon::None);
  return false;
}

std::vector<std::string> frmlan_list(const Game& g) {
  std::vector<std::string> list;
  for (std::size_t i = 0; i < 10; ++i)
    if (!g.lan.aite_list[i].empty()) list.push_back(g.lan.aite_list[i]);
  return list;
}

bool frmlan_cmdhenkou_Click(Game& g, std::vector<std::string>& list, std::string& text) {
  // A quotation mark could not be read back from the file.
  std::erase(text, '"');
  if (text.empty()) return false;
  const std::string t = text;
  remove_name(list, t);
  list.insert(list.begin(), t);
  if (list.size() > 10) list.resize(10);
  g.lan.aite_host = t;
  list_to_slots(g, list);
  lan_aite_save(g);
  return true;
}

void frmlan_cmddel_Click(Game& g, std::vector<std::string>& list, std::string& text) {
  if (list.empty() || text.empty()) return;
  const std::string t = text;
  remove_name(list, t);
  list_to_slots(g, list);
  g.lan.aite_host = g.lan.aite_list[0];
  text = g.lan.aite_list[0];
  lan_aite_save(g);
}

}  // namespace sekiba
