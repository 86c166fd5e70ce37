#pragma once
// The game's one random generator: values r with 0 <= r < 1 in 24-bit steps, like
// the single-precision generator the rules were written for.
#include <cstdint>
#include <random>

namespace sekiba {

class Rng {
 public:
  void seed(std::uint32_t s) { gen_.seed(s); }
  float next() { return float(gen_() >> 8) * (1.0f / 16777216.0f); }

 private:
  std::mt19937 gen_{0};
};

}  // namespace sekiba
