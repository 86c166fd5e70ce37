// One request line of `sekiba-tool analyze`.
#include <nlohmann/json.hpp>

#include "harness.h"
#include "targets.h"
#include "tool/analyze.h"

namespace sekiba::fuzz {

int fuzz_analyze(const std::uint8_t* data, std::size_t size) {
  std::string line = text(data, size);
  line = line.substr(0, line.find('\n'));
  const std::string answer = analyze_line(line);
  // One line of JSON, an object: an answer or an error.
  FUZZ_CHECK(answer.find('\n') == std::string::npos);
  const auto out = nlohmann::json::parse(answer, nullptr, false);
  FUZZ_CHECK(!out.is_discarded() && out.is_object() && !out.empty());
  if (out.contains("error")) FUZZ_CHECK(out["error"].is_string());
  return 0;
}

}  // namespace sekiba::fuzz
