// A run over every WPS of the machine ends with one code: a file that
// failed outweighs MathType lacking a file, which outweighs a WPS left
// alone because it runs, whichever WPS came first.
#include "app/run_outcome.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(RunOutcome, ARunOverSeveralWpsEndsWithTheCodeOfTheWorst) {
  const struct {
    RunOutcome first, second;
    int code;
  } cases[] = {
      {RunOutcome::kDone, RunOutcome::kDone, 0},
      {RunOutcome::kDone, RunOutcome::kWpsRunning, 1618},
      {RunOutcome::kWpsRunning, RunOutcome::kNoMathType, 2},
      {RunOutcome::kNoMathType, RunOutcome::kFileFailed, 1603},
      {RunOutcome::kFileFailed, RunOutcome::kWpsRunning, 1603},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExitCodeOf(WorseOutcome(c.first, c.second), false), c.code);
    EXPECT_EQ(ExitCodeOf(WorseOutcome(c.second, c.first), false), c.code);
  }
}

}  // namespace
}  // namespace pelmora
