#include "records/own_files.h"

#include "engine/game.h"
#include "platform/fileio.h"

namespace sekiba {

namespace {

// What the next save will do with the file at path, told as it will happen:
// the save may go to another folder, or be refused (a folder or a read-only
// file in the file's place, a folder that takes no new files). kept names the
// copy made of the file before a save replaces it, when there is one.
std::string save_note(Game& g, const std::string& name, const std::string& path,
                      const std::string& kept) {
  const std::string target = g.save_path(name);
  const bool writable = can_replace(target);
  if (target != path) {
    if (writable) return "このファイルはそのまま残り、保存は次のファイルに行われます。\n" + target;
    return "このファイルはそのまま残ります。次の保存先に書き込めないため、保存できません。\n" + target;
  }
  if (!writable) return "このファイルは置き換えられないため、保存できません。";
  if (!kept.empty()) return "保存する前に、元のファイルを次のファイルに写して残します。\n" + kept;
  return "保存するとこのファイルは置き換えられます。";
}

}  // namespace

std::optional<std::string> read_own_file(Game& g, const std::string& name, const std::string& kind,
                                         std::size_t max_bytes) {
  const std::string path = g.path(name);
  FileRead r = read_file_start(path, max_bytes);
  if (r.status == ReadStatus::Ok) return std::move(r.bytes);
  if (r.status == ReadStatus::Unreadable && g.rec.unreadable_told.insert(path).second)
    g.os.message_box(kind + "を読み込めませんでした。\n" + path + "\n初期値で続けます。" +
                         save_note(g, name, path, ""),
                     "ﾌｧｲﾙの読み込み", MessageButtons::Ok, MessageIcon::Warning);
  return std::nullopt;
}

void report_damaged_own_file(Game& g, const std::string& name, const std::string& kind,
                             const std::string& kept) {
  const std::string path = g.path(name);
  if (!g.rec.unreadable_told.insert(path).second) return;
  g.os.message_box(kind + "を途中までしか読み込めませんでした。\n" + path + "\n読めた所までで続けます。" +
                       save_note(g, name, path, kept),
                   "ﾌｧｲﾙの読み込み", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace sekiba
