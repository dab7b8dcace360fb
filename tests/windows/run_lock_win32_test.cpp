// The machine-wide run lock against the real system: in the private
// namespace where the system has one, as a global mutex under Wine.
#include <gtest/gtest.h>

#include "runtime/system/session.h"

namespace pelmora {
namespace {

TEST(RunLockWin32, ASecondTakerIsBusyUntilTheFirstLetsGo) {
  bool busy = true;
  {
    const MachineRunLock first = TakeMachineRunLock(&busy);
    ASSERT_TRUE(first);
    EXPECT_FALSE(busy);
    const MachineRunLock second = TakeMachineRunLock(&busy);
    EXPECT_FALSE(second);
    EXPECT_TRUE(busy);
  }
  const MachineRunLock again = TakeMachineRunLock(&busy);
  EXPECT_TRUE(again);
  EXPECT_FALSE(busy);
}

}  // namespace
}  // namespace pelmora
