#include "runtime/system/exit_routines.h"

#include <utility>
#include <vector>

namespace pelmora {
namespace {

std::vector<ExitRoutine>& Routines() {
  static std::vector<ExitRoutine> routines;
  return routines;
}

}  // namespace

void RegisterExitRoutine(ExitRoutine routine) {
  std::vector<ExitRoutine>& routines = Routines();
  for (ExitRoutine known : routines) {
    if (known == routine) return;
  }
  routines.push_back(routine);
}

void RunExitRoutines() {
  // Taken out first: a routine that ends the program again runs none twice.
  std::vector<ExitRoutine> routines = std::move(Routines());
  Routines().clear();
  for (ExitRoutine routine : routines) routine();
}

void ForgetExitRoutines() { Routines().clear(); }

}  // namespace pelmora
