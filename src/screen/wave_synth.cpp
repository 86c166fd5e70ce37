#include "screen/wave_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace sekiba {

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Mix {
  std::vector<double> s;
  explicit Mix(double seconds) : s(std::size_t(seconds * kRate), 0.0) {}

  // A bell-like note: a sine with two overtones and an exponential decay.
  void note(double start, double freq, double length, double level, double decay = 6.0) {
    const std::size_t a = std::size_t(start * kRate);
    const std::size_t n = std::size_t(length * kRate);
    for (std::size_t i = 0; i < n && a + i < s.size(); ++i) {
      const double t = double(i) / kRate;
      const double env = std::exp(-decay * t) * std::min(1.0, t * 400.0);
      s[a + i] += level * env *
                  (std::sin(2 * kPi * freq * t) + 0.35 * std::sin(4 * kPi * freq * t) +
                   0.12 * std::sin(6 * kPi * freq * t));
    }
  }

  // A knock: filtered noise with a very short decay, like a tile set down.
  void knock(double start, double length, double level, double tone, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const std::size_t a = std::size_t(start * kRate);
    const std::size_t n = std::size_t(length * kRate);
    double low = 0;
    for (std::size_t i = 0; i < n && a + i < s.size(); ++i) {
      const double t = double(i) / kRate;
      low += tone * (noise(gen) - low);
      const double body = std::sin(2 * kPi * 1900 * t) * std::exp(-90 * t);
      s[a + i] += level * std::exp(-55 * t) * (0.7 * low + 0.5 * body);
    }
  }

  // A pitch sweep (the bust-out "pyon").
  void sweep(double start, double f0, double f1, double length, double level) {
    const std::size_t a = std::size_t(start * kRate);
    const std::size_t n = std::size_t(length * kRate);
    double phase = 0;
    for (std::size_t i = 0; i < n && a + i < s.size(); ++i) {
      const double t = double(i) / n;
      phase += 2 * kPi * (f0 + (f1 - f0) * t) / kRate;
      s[a + i] += level * std::sin(phase) * (1 - t) * std::min(1.0, t * 50);
    }
  }

  std::vector<short> pcm() const {
    double peak = 1e-9;
    for (double v : s) peak = std::max(peak, std::abs(v));
    const double gain = std::min(1.0, 0.8 / peak) * 32767.0;
    std::vector<short> out(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) out[i] = short(std::lround(s[i] * gain));
    return out;
  }
};

SoundFile make(const std::string& name, const Mix& m) { return {name, wav_bytes(m.pcm(), kRate)}; }

}  // namespace

std::string wav_bytes(const std::vector<short>& samples, int rate) {
  const std::uint32_t data = std::uint32_t(samples.size() * 2);
  std::string out(44 + data, '\0');
  auto put32 = [&](std::size_t o, std::uint32_t v) { std::memcpy(&out[o], &v, 4); };
  auto put16 = [&](std::size_t o, std::uint16_t v) { std::memcpy(&out[o], &v, 2); };
  std::memcpy(&out[0], "RIFF", 4);
  put32(4, 36 + data);
  std::memcpy(&out[8], "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);
  put16(22, 1);
  put32(24, std::uint32_t(rate));
  put32(28, std::uint32_t(rate * 2));
  put16(32, 2);
  put16(34, 16);
  std::memcpy(&out[36], "data", 4);
  put32(40, data);
  if (!samples.empty()) std::memcpy(&out[44], samples.data(), data);
  return out;
}

int wav_length_ms(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return 0;
  auto u32 = [&](std::size_t o) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[o + std::size_t(k)]);
    return v;
  };
  std::uint32_t per_second = 0;
  std::uint64_t data = 0;
  for (std::size_t o = 12; o + 8 <= bytes.size();) {
    const std::uint32_t size = u32(o + 4);
    if (bytes.compare(o, 4, "fmt ") == 0 && o + 20 <= bytes.size()) per_second = u32(o + 16);
    if (bytes.compare(o, 4, "data") == 0) {
      // A data chunk that claims more than the file holds plays what is there.
      data = std::min<std::uint64_t>(size, bytes.size() - (o + 8));
      break;
    }
    o += 8 + std::uint64_t(size) + (size & 1);
  }
  if (per_second == 0) return 0;
  return int(std::min<std::uint64_t>(data * 1000 / per_second, 60 * 1000));
}

std::vector<SoundFile> synthesize_table_sounds() {
  std::vector<SoundFile> out;
  {
    Mix m(0.07);
    m.knock(0, 0.07, 1.0, 0.35, 1);
    out.push_back(make("sekiba_wave_pasi", m));
  }
  {
    Mix m(0.09);
    m.knock(0, 0.09, 0.8, 0.8, 2);
    m.note(0, 2400, 0.09, 0.25, 40);
    out.push_back(make("sekiba_wave_pasi2", m));
  }
  auto jingle = [&](const char* name, std::initializer_list<double> freqs, double step) {
    Mix m(step * double(freqs.size()) + 0.35);
    double t = 0;
    for (double f : freqs) {
      m.note(t, f, 0.4, 0.6);
      t += step;
    }
    out.push_back(make(name, m));
  };
  jingle("sekiba_wave_pon", {784, 1047}, 0.09);
  jingle("sekiba_wave_chi", {659, 880}, 0.09);
  jingle("sekiba_wave_kan", {523, 659, 784}, 0.08);
  jingle("sekiba_wave_ankan", {392, 523, 659}, 0.08);
  jingle("sekiba_wave_rechi", {587, 740, 880, 1175}, 0.07);
  jingle("sekiba_wave_ron", {523, 659, 784, 1047, 1319}, 0.08);
  jingle("sekiba_wave_tumo", {659, 784, 988, 1319}, 0.08);
  jingle("sekiba_wave_tenpai", {880, 1109, 1319}, 0.1);
  {
    Mix m(0.45);
    m.sweep(0, 300, 1400, 0.4, 0.8);
    out.push_back(make("sekiba_pyon", m));
  }
  {
    // The refusal of a riichi: two falling notes.
    Mix m(0.75);
    m.note(0, 659, 0.4, 0.6, 5);
    m.note(0.22, 440, 0.5, 0.6, 5);
    out.push_back(make("sekiba_wave_fusoku", m));
  }
  {
    Mix m(0.3);
    m.note(0, 180, 0.3, 0.7, 8);
    m.note(0, 190, 0.3, 0.7, 8);
    out.push_back(make("sekiba_error", m));
  }
  return out;
}

}  // namespace sekiba
