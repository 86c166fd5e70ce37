// The text forms of the messages, byte for byte.
#include <gtest/gtest.h>

#include "lan/lan_wire.h"

namespace sekiba::lan {
namespace {

TEST(LanWire, NumberFormAndTwoCharacterField) {
  struct Row {
    long long v;
    const char *number, *field, *dora;
  } rows[] = {{5, " 5", " 5", "dora  5"},
              {12, " 12", "12", "dora  12"},
              {38, " 38", "38", "dora  38"},
              {-1, "-1", "-1", "dora -1"},
              {-25, "-25", "25", "dora -25"}};
  for (const Row& r : rows) {
    EXPECT_EQ(number_form(r.v), r.number) << r.v;
    EXPECT_EQ(field2(r.v), r.field) << r.v;
    EXPECT_EQ(with_number("dora ", r.v), r.dora) << r.v;
  }
  EXPECT_EQ(field2(0), " 0");
}

TEST(LanWire, ValuesAreReadByTheTextToNumberRule) {
  EXPECT_EQ(value_of("  12abc"), 12);
  EXPECT_EQ(value_of("-7"), -7);
  EXPECT_EQ(value_of(" -0"), 0);
  EXPECT_FALSE(value_of("ab"));
  EXPECT_FALSE(value_of(" "));
  EXPECT_FALSE(value_of("99999999999"));  // does not fit its 32-bit field
  EXPECT_EQ(value_of("-2147483648"), -2147483648LL);
  EXPECT_EQ(value_last2("man_sute  5"), 5);
  EXPECT_EQ(value_at("man_chi 15 2", 8, 2), 15);
  EXPECT_FALSE(value_at("man_chi 1", 8, 2));  // too short: nothing, never past the end
}

TEST(LanWire, KeywordsCompareWithoutTheirTrailingBlank) {
  EXPECT_TRUE(starts_with_keyword("dora  5", "dora "));
  EXPECT_TRUE(starts_with_keyword("man_tensu -40", "man_ten"));  // the wait that expects it is elsewhere
  EXPECT_FALSE(starts_with_keyword("dor", "dora"));
  EXPECT_FALSE(starts_with_keyword("DORA  5", "dora"));
}

TEST(LanWire, TileCodesAndChiRuns) {
  for (int v : {1, 9, 11, 19, 21, 29, 31, 37}) EXPECT_TRUE(tile_code(v)) << v;
  for (int v : {0, 10, 20, 30, 38, 39, 99, -1}) EXPECT_FALSE(tile_code(v)) << v;
  EXPECT_TRUE(hand_code(38));
  EXPECT_FALSE(hand_code(20));
  EXPECT_TRUE(chi_fits(15, 2));
  EXPECT_TRUE(chi_fits(17, 1));
  EXPECT_FALSE(chi_fits(18, 1));  // 18 19 20 leaves the suit
  EXPECT_FALSE(chi_fits(11, 2));
  EXPECT_FALSE(chi_fits(12, 3));
  EXPECT_FALSE(chi_fits(31, 1));  // honours make no runs
  EXPECT_FALSE(chi_fits(15, 0));
  EXPECT_FALSE(chi_fits(15, 4));
}

TEST(LanWire, OnlyShortPrintableDatagramsArePlausible) {
  EXPECT_TRUE(plausible_datagram("OK"));
  EXPECT_FALSE(plausible_datagram(""));
  EXPECT_FALSE(plausible_datagram(std::string(300, 'a')));
  EXPECT_FALSE(plausible_datagram(std::string("dora\0 5", 7)));
  EXPECT_FALSE(plausible_datagram("dora \xff"));
}

}  // namespace
}  // namespace sekiba::lan
