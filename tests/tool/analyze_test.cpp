#include "tool/analyze.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

namespace sekiba {
namespace {

using json = nlohmann::json;

json ask(const std::string& line) { return json::parse(analyze_line(line)); }

const char* kPinfu = R"("hand":[1,2,3,5,5,14,15,16,22,23,27,28,29],"agari":24)";

TEST(Analyze, PinfuByRonAndByTsumo) {
  json a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","oya":"com","dora":37})");
  EXPECT_EQ(a["complete"], true);
  EXPECT_EQ(a["furiten"], 0);
  EXPECT_EQ(a["han"], 1);
  EXPECT_EQ(a["fu"], 30);
  EXPECT_EQ(a["points"], 10);
  EXPECT_EQ(a["yaku"], json::parse("[[36,1]]"));
  EXPECT_EQ(a["yaku_str"], "yakusuu  03601");
  a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","oya":"man","dora":37})");
  EXPECT_EQ(a["points"], 15);
  // Tsumo: no pinfu, but the shape still drops the edge-wait fu: 22 fu.
  a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"tsumo","oya":"com","dora":37})");
  EXPECT_EQ(a["fu"], 22);
  EXPECT_EQ(a["points"], 10);
  EXPECT_EQ(a.count("furiten"), 0u);
}

TEST(Analyze, OpponentWinsAreNegativeAndNotClamped) {
  json a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","winner":"com","oya":"man","dora":37})");
  EXPECT_EQ(a["points"], -10);
  EXPECT_EQ(a["ivent_bou"], json::parse("[1,1,1,1,1]"));
}

TEST(Analyze, SevenPairsAndLimits) {
  json a = ask(R"({"op":"agari","hand":[2,2,4,4,13,13,16,16,22,22,27,27,33],"agari":33,"kind":"ron","oya":"com"})");
  EXPECT_EQ(a["fu"], 25);
  EXPECT_EQ(a["han"], 2);
  EXPECT_EQ(a["points"], 16);
  // Thirteen orphans on the thirteen-sided wait: a double yakuman.
  const std::string kokushi =
      R"({"op":"agari","hand":[1,9,11,19,21,29,31,32,33,34,35,36,37],"agari":37,"kind":"ron","oya":"com")";
  a = ask(kokushi + R"(,"settei":{"4":1}})");
  EXPECT_EQ(a["yakuman"], 26);
  EXPECT_EQ(a["fu"], nullptr);
  EXPECT_EQ(a["points"], 640);
  EXPECT_EQ(a["yaku_str"].get<std::string>().substr(0, 8), "yakuman ");
  a = ask(kokushi + R"(,"settei":{"4":0}})");
  EXPECT_EQ(a["points"], 320);
}

// The ron on 3 opens the third triplet of 111 222 333 456 99, a reading with no
// yaku; 123 123 123 456 99 has 一盃口: 30 fu (20 for the computer, with 10 for
// its ron), 2 for the edge wait, one han. By tsumo the first reading has
// 三暗刻 and stays: 20 + 2 + 8 + 4 + 4 = 38 fu, 3 han, and one ツモ stick.
TEST(Analyze, AWinIsScoredOnTheFirstReadingWithAYaku) {
  const std::string hand = R"({"op":"agari","hand":[1,1,1,2,2,2,3,3,14,15,16,9,9],"agari":3,"kind":)";
  json a = ask(hand + R"("ron","oya":"com"})");
  EXPECT_EQ(a["chonbo"], false);
  EXPECT_EQ(a["yaku"], json::parse("[[34,1]]"));
  EXPECT_EQ(a["yaku_str"], "yakusuu  03401");
  EXPECT_EQ(a["fu"], 32);
  EXPECT_EQ(a["points"], 13);
  a = ask(hand + R"("ron","winner":"com","oya":"man"})");
  EXPECT_EQ(a["yaku"], json::parse("[[34,1]]"));
  EXPECT_EQ(a["points"], -13);
  a = ask(hand + R"("tsumo","oya":"com"})");
  EXPECT_EQ(a["yaku"], json::parse("[[27,2],[47,1]]"));
  EXPECT_EQ(a["fu"], 38);
  EXPECT_EQ(a["points"], 52);
  EXPECT_EQ(a["ivent_bou"], json::parse("[1,2,1,1,1]"));
}

TEST(Analyze, DoubleScoreIsReportedBeforeTheMultiplier) {
  json a = ask(R"({"op":"agari","hand":[11,11,11,12,13,14,15,16,17,18,19,19,19],"agari":12,"kind":"ron","oya":"com","bairitu":2})");
  EXPECT_EQ(a["complete"], true);
  EXPECT_GE(a["han"].get<int>(), 13);
  EXPECT_EQ(a["points"], 320);
}

TEST(Analyze, TheUsersKansCountForEitherWinner) {
  const std::string kans = R"(,"melds":[{"kind":"kan","tile":31},{"kind":"ankan","tile":32},{"kind":"kan","tile":33}])";
  const std::string com_ron = std::string(R"({"op":"agari",)") + kPinfu +
                              R"(,"kind":"ron","winner":"com","oya":"man","kan_dora":5,"settei":{"9":1})";
  // The user's kans open the kan dora for the opponent too (its pair of 5s),
  // but never give the opponent three kans.
  json a = ask(com_ron + kans + "}");
  EXPECT_EQ(a["han"], 3);
  for (const auto& y : a["yaku"]) EXPECT_NE(y[0], 26);
  EXPECT_EQ(ask(com_ron + "}")["han"], 1);
  EXPECT_EQ(ask(R"({"op":"waits","winner":"com","hand":[1,1,1,2,3,4,5,6,7,8,9,9,9])" + kans + "}")["waits"],
            json::parse("[1,2,3,4,5,6,7,8,9]"));
}

TEST(Analyze, FuritenRefusesTheRon) {
  json a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","discards":[21]})");
  EXPECT_EQ(a["complete"], true);
  EXPECT_EQ(a["furiten"], 21);
  EXPECT_EQ(a.count("han"), 0u);
}

TEST(Analyze, AnIndicatorOfZeroNamesNoDora) {
  // With setting 6 the tile after an indicator is the dora; 0 must not make 1 bamboo a dora.
  json a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","dora":0,"settei":{"6":1}})");
  EXPECT_EQ(a["han"], 1);
  a = ask(std::string(R"({"op":"agari",)") + kPinfu + R"(,"kind":"ron","dora":9,"settei":{"6":1}})");
  EXPECT_EQ(a["han"], 2);  // 9 bamboo names 1 bamboo
}

TEST(Analyze, WaitsAndTenpai) {
  EXPECT_EQ(ask(R"({"op":"waits","hand":[1,1,1,2,3,4,5,6,7,8,9,9,9]})")["waits"],
            json::parse("[1,2,3,4,5,6,7,8,9]"));
  EXPECT_EQ(ask(R"({"op":"tenpai","hand":[1,1,1,2,3,4,5,6,7,8,9,9,9],"winner":"com"})")["tenpai"], true);
  EXPECT_EQ(ask(R"({"op":"tenpai","hand":[1,4,7,11,14,17,21,24,27,31,32,33,34]})")["tenpai"], false);
  EXPECT_EQ(ask(R"({"op":"waits","hand":[1,2,3,21,22,23,24,25,26,27],"melds":[{"kind":"pon","tile":35}]})")["waits"],
            json::parse("[21,24,27]"));
}

// Three runs, a pair of East, 4-5 of circles and a loose 9 of bamboo (slot 14
// the drawn 5 of circles unless a case says otherwise).
TEST(Analyze, DiscardFollowsTheEvaluation) {
  struct Case {
    const char* request;
    int tile, tenpai_flg, osekai_machi, bunkai_no;
  } cases[] = {
      // The loose 9 goes; the user's hint names the open wait, the computer may riichi.
      {R"("hand":[2,3,4,9,15,16,17,27,28,29,31,31,24,25])", 9, 0, 4, -1},
      {R"("hand":[2,3,4,9,15,16,17,27,28,29,31,31,24,25],"side":"com")", 9, 1, 0, -1},
      // In riichi the drawn tile goes whatever the shape.
      {R"("hand":[2,3,4,9,15,16,17,27,28,29,31,31,24,25],"side":"com","riichi":2)", 25, 0, 0, -1},
      // An aim comes first: the heaviest tile outside characters is East (31).
      {R"("hand":[2,3,4,9,15,16,17,27,28,29,31,31,24,25],"aims":{"chinitu":1})", 31, 0, 0, -1},
      // Loose tiles only: North weighs most, unless it is the dora and the dora is kept.
      {R"("hand":[1,5,9,13,17,22,26,29,31,32,33,34,36,2])", 34, 0, 0, -1},
      {R"("hand":[1,5,9,13,17,22,26,29,31,32,33,34,36,2],"dora":34,"shikou":{"1":1})", 33, 0, 0, -1},
      {R"("hand":[1,5,9,13,17,22,26,29,31,32,33,34,36,2],"dora":34)", 34, 0, 0, -1},
      // Seven pairs: of two singles the one already thrown goes, else the higher.
      {R"("hand":[1,1,3,3,5,5,12,12,14,14,31,31,37,36],"side":"com")", 37, 1, 1, 8},
      {R"("hand":[1,1,3,3,5,5,12,12,14,14,31,31,37,36],"side":"com","discards":[36])", 36, 1, 1, 8},
  };
  for (const auto& c : cases) {
    const json a = ask(std::string(R"({"op":"discard",)") + c.request + "}");
    EXPECT_EQ(a["tile"], c.tile) << c.request;
    EXPECT_EQ(a["tenpai_flg"], c.tenpai_flg) << c.request;
    EXPECT_EQ(a["osekai_machi"], c.osekai_machi) << c.request;
    if (c.bunkai_no > 0) {
      EXPECT_EQ(a["bunkai_no"], c.bunkai_no) << c.request;
    }
  }
}

TEST(Analyze, BadRequestsAnswerAnErrorAndTheToolGoesOn) {
  for (const char* bad : {"not json", "[1,2]", R"({"op":"fly"})", R"({"op":"agari","hand":[1,2,3],"agari":4,"kind":"ron"})",
                          R"({"op":"agari","hand":[1,2,3,5,5,14,15,16,22,23,27,28,10],"agari":24,"kind":"ron"})",
                          R"({"op":"agari","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29],"agari":24})",
                          R"({"op":"waits","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29],"settei":{"99":1}})",
                          R"({"op":"waits","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29],"melds":[{"kind":"pon","tile":5}]})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29]})",
                          R"({"op":"discard","hand":[1,1,1,1,1,14,15,16,22,23,27,28,29,29]})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29,29],"side":"both"})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29,29],"aims":{"chinro":2}})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29,29],"aims":{"chinitu":3}})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29,29],"shikou":{"9":1}})",
                          R"({"op":"discard","hand":[1,2,3,5,5,14,15,16,22,23,27,28,29,29],"bunkai_no":9})",
                          "{\"op\":\"waits\",\"hand\":[1,\xd3\xd3]}", "{\"op\":\"\xff\"}"}) {
    json a = ask(bad);
    EXPECT_TRUE(a.contains("error")) << bad;
  }
  std::istringstream in("garbage\n\n{\"op\":\"tenpai\",\"hand\":[1,1,1,2,3,4,5,6,7,8,9,9,9]}\r\n");
  std::ostringstream out;
  EXPECT_EQ(analyze_main(in, out), 0);
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  EXPECT_NE(text.find("\"tenpai\":true"), std::string::npos);
}

}  // namespace
}  // namespace sekiba
