#include "records/own_files.h"

#include "engine/game.h"
#include "platform/fileio.h"
#include "platform/text_args.h"

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
    if (writable) return fill_in(g.os.tr("このファイルはそのまま残り、保存は次のファイルに行われます。\n%1"), {target});
    return fill_in(g.os.tr("このファイルはそのまま残ります。次の保存先に書き込めないため、保存できません。\n%1"),
                   {target});
  }
  if (!writable) return g.os.tr("このファイルは置き換えられないため、保存できません。");
  if (!kept.empty()) return fill_in(g.os.tr("保存する前に、元のファイルを次のファイルに写して残します。\n%1"), {kept});
  return g.os.tr("保存するとこのファイルは置き換えられます。");
}

}  // namespace

std::optional<std::string> read_own_file(Game& g, const std::string& name, const std::string& kind,
                                         std::size_t max_bytes) {
  const std::string path = g.path(name);
  FileRead r = read_file_start(path, max_bytes);
  if (r.status == ReadStatus::Ok) return std::move(r.bytes);
  if (r.status == ReadStatus::Unreadable && g.rec.unreadable_told.insert(path).second)
    g.os.message_box(fill_in(g.os.tr("%1を読み込めませんでした。\n%2\n初期値で続けます。"), {g.os.tr(kind), path}) +
                         save_note(g, name, path, ""),
                     g.os.tr("ﾌｧｲﾙの読み込み"), MessageButtons::Ok, MessageIcon::Warning);
  return std::nullopt;
}

void report_damaged_own_file(Game& g, const std::string& name, const std::string& kind,
                             const std::string& kept) {
  const std::string path = g.path(name);
  if (!g.rec.unreadable_told.insert(path).second) return;
  g.os.message_box(
      fill_in(g.os.tr("%1を途中までしか読み込めませんでした。\n%2\n読めた所までで続けます。"), {g.os.tr(kind), path}) +
          save_note(g, name, path, kept),
      g.os.tr("ﾌｧｲﾙの読み込み"), MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace sekiba
