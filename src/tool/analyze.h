#pragma once
// `sekiba-tool analyze`: one JSON request per line in, one JSON answer per line
// out, judged by the game's own procedures on a headless table.
#include <iosfwd>
#include <string>

namespace sekiba {

// Answers one request line (always a single line of JSON, never throws).
std::string analyze_line(const std::string& line);
// Reads requests until the end of input.
int analyze_main(std::istream& in, std::ostream& out);

}  // namespace sekiba
