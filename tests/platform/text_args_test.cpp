// Values put into translated texts at their numbered places.
#include <gtest/gtest.h>

#include "platform/text_args.h"

namespace sekiba {
namespace {

TEST(FillIn, PutsEachValueAtItsPlaceOnce) {
  // A language may order the values its own way.
  EXPECT_EQ(fill_in("%2 / %1", {"a", "b"}), "b / a");
  EXPECT_EQ(fill_in("ポート %1 を使えませんでした。", {"3000"}), "ポート 3000 を使えませんでした。");
  // A value holding a place mark (a folder named "%2") is put in as it is.
  EXPECT_EQ(fill_in("%1: %2", {"C:/%2", "x"}), "C:/%2: x");
  // Marks without a value, a percent sign before anything else, and a mark at the
  // very end stay as they are.
  EXPECT_EQ(fill_in("%1 %3 100% %0 %", {"v"}), "v %3 100% %0 %");
  EXPECT_EQ(fill_in("", {"v"}), "");
}

}  // namespace
}  // namespace sekiba
