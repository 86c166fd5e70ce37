#include "screen/wave_synth.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "engine/waits.h"
#include "platform/fileio.h"
#include "test_game.h"

namespace sekiba {
namespace {

TEST(WaveSynth, EveryTableSoundIsAPlayableWavFile) {
  const auto sounds = synthesize_table_sounds();
  std::set<std::string> names;
  for (const auto& s : sounds) {
    names.insert(s.name);
    ASSERT_GT(s.bytes.size(), 44u + 200u) << s.name;
    EXPECT_EQ(s.bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(s.bytes.substr(8, 8), "WAVEfmt ");
    std::uint32_t riff = 0, data = 0;
    std::memcpy(&riff, s.bytes.data() + 4, 4);
    std::memcpy(&data, s.bytes.data() + 40, 4);
    EXPECT_EQ(riff + 8, s.bytes.size()) << s.name;
    EXPECT_EQ(data + 44, s.bytes.size()) << s.name;
    // Under a second: the game waits for each sound to end.
    EXPECT_LT(data / 2, 22050u) << s.name;
  }
  for (const char* n : {"sekiba_wave_pasi", "sekiba_wave_pasi2", "sekiba_wave_pon", "sekiba_wave_chi",
                        "sekiba_wave_kan", "sekiba_wave_ankan", "sekiba_wave_rechi", "sekiba_wave_ron",
                        "sekiba_wave_tumo", "sekiba_wave_tenpai", "sekiba_pyon", "sekiba_error",
                        "sekiba_wave_fusoku"})
    EXPECT_TRUE(names.count(n)) << n;
}

TEST(WaveSynth, ASoundThatCannotBePlayedStillSetsThePace) {
  test::TestGame tg;
  Game& g = tg.g;
  std::string pasi;
  for (const auto& s : synthesize_table_sounds()) {
    ASSERT_TRUE(write_file_atomic(tg.dir.file(s.name + ".wav"), s.bytes));
    if (s.name == "sekiba_wave_pasi") pasi = s.bytes;
  }
  const int length = wav_length_ms(pasi);
  ASSERT_GT(length, 50);
  struct Case {
    bool device;
    int sound_off;
    const char* name;
    bool waits;
  } cases[] = {{true, 0, "\\sekiba_wave_pasi", false},
               {false, 0, "\\sekiba_wave_pasi", true},
               {false, 1, "\\sekiba_wave_pasi", false},
               {false, 0, "\\sekiba_no_such_sound", false}};
  for (const Case& c : cases) {
    tg.os.sounds_exist = c.device;
    g.s.settei[12] = std::int16_t(c.sound_off);
    const auto start = tg.os.clock_ms;
    wave_play(g, c.name);
    const auto waited = tg.os.clock_ms - start;
    if (c.waits) EXPECT_GE(waited, length) << c.name;
    else EXPECT_LT(waited, 5) << c.device << c.sound_off << c.name;
  }
  EXPECT_EQ(wav_length_ms("RIFF"), 0);
}

}  // namespace
}  // namespace sekiba
