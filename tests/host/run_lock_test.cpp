// The machine-wide run lock on the fake session: in the administrators'
// private namespace where the system has one, else the global mutex of
// before, and busy either way while another run holds it.
#include <gtest/gtest.h>

#include "fakes/fake_system.h"
#include "runtime/system/session.h"

namespace pelmora {
namespace {

TEST(RunLockTest, LivesInThePrivateNamespaceWhereThereIsOneElseInTheGlobalOne) {
  for (const bool namespaces : {true, false}) {
    fake::ClearSystem();
    fake::SetPrivateNamespaces(namespaces);
    bool busy = true;
    {
      const MachineRunLock lock = TakeMachineRunLock(&busy);
      EXPECT_TRUE(lock);
      EXPECT_FALSE(busy);
      EXPECT_EQ(fake::last_mutex_name(), namespaces ? "Pelmora\\Run" : "Global\\Pelmora.Run");
    }
    EXPECT_EQ(fake::open_mutexes(), 0);

    fake::SetAnotherRunUnderWay(true);
    const MachineRunLock refused = TakeMachineRunLock(&busy);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(busy);
    EXPECT_EQ(fake::open_mutexes(), 0);
  }
  fake::ClearSystem();
}

}  // namespace
}  // namespace pelmora
