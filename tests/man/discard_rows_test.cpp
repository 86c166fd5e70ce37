// Where the user's discards land: ten to a row, the second row below the first.
#include "man/man_fixture.h"

namespace sekiba {
namespace {

using namespace test;

TEST_F(ManTest, DiscardsFillTwoRowsOfTen) {
  struct Case {
    int junme, x, y, next_x, next_y;
  } cases[] = {{1, 3, 29, 7, 29},   {9, 35, 29, 39, 29},  {10, 39, 29, 3, 36},
               {11, 3, 36, 7, 36},  {19, 35, 36, 39, 36}, {20, 39, 36, 43, 36}};
  for (const Case& c : cases) {
    SCOPED_TRACE("discard " + std::to_string(c.junme));
    hand(kRyanmen, 9);
    g.t.man_junme = std::int16_t(c.junme);
    g.t.man_sute_x = std::int16_t(c.x);
    g.t.man_sute_y = std::int16_t(c.y);
    g.scr.win = g.scr.PicHAIKEI;
    press({key(vk_slot(14))});
    ASSERT_EQ(man_sute_sub(g, 0, kDrew), 0);
    EXPECT_EQ(g.t.man_sute[std::size_t(c.junme)], 9);
    EXPECT_EQ(g.t.man_junme, c.junme + 1);
    EXPECT_EQ(g.t.man_sute_x, c.next_x);
    EXPECT_EQ(g.t.man_sute_y, c.next_y);
    const int px = 8 * c.x + 16, py = 8 * c.y + 27;
    EXPECT_NE(g.scr.win.at(px, py), g.scr.PicHAIKEI.at(px, py));  // the tile lies at its place
  }
}

}  // namespace
}  // namespace sekiba
