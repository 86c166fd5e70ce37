#include "screen/wave_synth.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

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
                        "sekiba_wave_tumo", "sekiba_wave_tenpai", "sekiba_pyon", "sekiba_error"})
    EXPECT_TRUE(names.count(n)) << n;
}

}  // namespace
}  // namespace sekiba
