#pragma once
// The table's sound effects, synthesised: tile clicks, call jingles, the tenpai
// chime. They are written as WAV files beside the program at build time; files
// the user puts there instead take their place.
#include <string>
#include <vector>

namespace sekiba {

struct SoundFile {
  std::string name;   // "sekiba_wave_pasi" (without ".wav")
  std::string bytes;  // a complete 16-bit mono PCM WAV file
};

std::vector<SoundFile> synthesize_table_sounds();

// How long a WAV file plays, in milliseconds, from its format and data chunks;
// 0 when the bytes are no WAV file.
int wav_length_ms(const std::string& bytes);

// A WAV file of 16-bit mono samples at the given rate.
std::string wav_bytes(const std::vector<short>& samples, int rate);

}  // namespace sekiba
