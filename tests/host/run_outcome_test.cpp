// A run over every WPS of the machine ends with one code: a file that
// failed outweighs MathType lacking a file, which outweighs a WPS left
// alone because it runs, whichever WPS came first.
#include <gtest/gtest.h>

#include "app/run_outcome.h"

namespace pelmora {
namespace {

TEST(RunOutcome, ARunOverSeveralWpsEndsWithTheCodeOfTheWorst) {
  using O = RunOutcome;
  const struct { O first, second; int code; } cases[] = {
      {O::kDone, O::kWpsRunning, 1618}, {O::kWpsRunning, O::kNoMathType, 2},
      {O::kNoMathType, O::kFileFailed, 1603}, {O::kFileFailed, O::kWpsRunning, 1603}};
  for (const auto& c : cases) {
    EXPECT_EQ(ExitCodeOf(WorseOutcome(c.first, c.second), false), c.code);
    EXPECT_EQ(ExitCodeOf(WorseOutcome(c.second, c.first), false), c.code);
  }
}

}  // namespace
}  // namespace pelmora
