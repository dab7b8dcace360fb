// The one owner template behind every handle: each handle is closed exactly
// once, the invalid value never, and a move hands the handle over without
// closing it.
#include "runtime/system/unique_resource.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace pelmora {
namespace {

std::vector<int> g_closed;
void Close(int handle) { g_closed.push_back(handle); }

using UniqueNumber = UniqueResource<int, &Close>;  // 0 holds nothing
using UniqueSearchLike = UniqueResource<int, &Close, -1>;

static_assert(!std::is_copy_constructible_v<UniqueNumber> &&
                  !std::is_copy_assignable_v<UniqueNumber>,
              "a copy would close twice");

class UniqueResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { g_closed.clear(); }
};

TEST_F(UniqueResourceTest, ClosesItsHandleOnceWhenItGoesAway) {
  { UniqueNumber owner(7); }
  EXPECT_EQ(g_closed, std::vector<int>{7});
}

TEST_F(UniqueResourceTest, TheInvalidValueIsNeverClosed) {
  { UniqueNumber nothing; }
  { UniqueNumber failed(0); }
  { UniqueSearchLike failed(-1); }
  EXPECT_TRUE(g_closed.empty());
  { UniqueSearchLike zero_is_a_handle_here(0); }
  EXPECT_EQ(g_closed, std::vector<int>{0});
}

TEST_F(UniqueResourceTest, MovingHandsTheHandleOverWithoutClosingIt) {
  UniqueNumber first(3);
  UniqueNumber second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_TRUE(second);
  EXPECT_TRUE(g_closed.empty());
  UniqueNumber third(4);
  third = std::move(second);  // 4 is closed, 3 moves in
  EXPECT_EQ(g_closed, std::vector<int>{4});
  EXPECT_EQ(third.get(), 3);
  UniqueNumber& same = third;
  third = std::move(same);
  EXPECT_EQ(third.get(), 3) << "a self-move keeps the handle";
  EXPECT_EQ(g_closed, std::vector<int>{4});
}

TEST_F(UniqueResourceTest, ResetAndPutCloseTheOldHandleFirst) {
  UniqueNumber owner(5);
  owner.reset(6);
  EXPECT_EQ(g_closed, std::vector<int>{5});
  int* slot = owner.put();
  EXPECT_EQ(g_closed, (std::vector<int>{5, 6}));
  EXPECT_EQ(*slot, 0);
  *slot = 8;  // as an out-parameter of an opening call
  owner.reset();
  EXPECT_EQ(g_closed, (std::vector<int>{5, 6, 8}));
  EXPECT_FALSE(owner);
}

TEST_F(UniqueResourceTest, ReleaseGivesTheHandleUpUnclosed) {
  UniqueNumber owner(9);
  EXPECT_EQ(owner.release(), 9);
  EXPECT_FALSE(owner);
  owner.reset();
  EXPECT_TRUE(g_closed.empty());
}

}  // namespace
}  // namespace pelmora
