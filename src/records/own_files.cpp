#include "records/own_files.h"

#include "engine/game.h"
#include "platform/fileio.h"

namespace sekiba {

std::optional<std::string> read_own_file(Game& g, const std::string& name, const std::string& kind,
                                         std::size_t max_bytes) {
  const std::string path = g.path(name);
  FileRead r = read_file_start(path, max_bytes);
  if (r.status == ReadStatus::Ok) return std::move(r.bytes);
  if (r.status == ReadStatus::Unreadable && g.rec.unreadable_told.insert(path).second)
    g.os.message_box(kind + "を読み込めませんでした。\n" + path +
                         "\n初期値で続けます。保存するとこのファイルは置き換えられます。",
                     "ﾌｧｲﾙの読み込み", MessageButtons::Ok, MessageIcon::Warning);
  return std::nullopt;
}

}  // namespace sekiba
