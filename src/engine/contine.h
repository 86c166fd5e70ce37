#pragma once
// The continue file sekiba_cos.bin: the game-level state after every hand and on
// quitting, so a game can be continued in a later run.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sekiba {

struct Game;
struct Table;

inline constexpr const char* kContineFile = "\\sekiba_cos.bin";
inline constexpr std::size_t kContineSize = 2060;

struct ContineData {
  std::int16_t flag = 0;
  std::int16_t mix_a = 0, mix_f = 0, mix_c = 0, mix_d = 0, mix_b = 0, mix_e = 0;
  std::int32_t man_ten = 0;
  std::int16_t rechi_bou = 0, honba = 0, kyoku = 0, oya = 0;
  std::array<std::int16_t, 6> ivent_bou{};
  std::int16_t game_no = 0, game_mode = 0, series_void = 0;
  std::array<std::int32_t, 501> score_rireki{};
  std::int32_t check1 = 0, check2 = 0, check3 = 0;
};

// The mix values of a clock reading.
void contine_mix(ContineData& d, int sec, int min);
// The three checks of d's fields, as they are stored.
std::array<std::int32_t, 3> contine_checks(const ContineData& d);
bool contine_checks_ok(const ContineData& d);
// The whole record of the table's state with the given flag, mixed with a clock
// reading and with its checks.
ContineData contine_from_table(const Table& t, int flag, int sec, int min);
std::string format_contine(const ContineData& d);
// Nothing when the bytes are fewer than the record.
std::optional<ContineData> parse_contine(const std::string& bytes);
// Values no game can have (dealer, mode, hand number out of range).
bool contine_values_sane(const ContineData& d);

void contine_sel(Game& g);
void set_shoki1(Game& g);
void clear_shoki_data(Game& g);
// False (after the message) when the file could not be written.
bool save_contine(Game& g, int flag);
void game_save(Game& g);

}  // namespace sekiba
