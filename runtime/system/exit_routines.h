// Routines the program runs once when it ends, on every way out: a normal
// end and the one after a fatal report alike. Whatever must never outlive
// the process (a user's hive loaded into the registry) registers here.
#pragma once

namespace pelmora {

using ExitRoutine = void (*)();

// Appends the routine unless it is already registered.
void RegisterExitRoutine(ExitRoutine routine);

// Runs each registered routine once, in registration order; a routine
// that ends the program again runs none twice.
void RunExitRoutines();

// Forgets every routine without running it, for tests.
void ForgetExitRoutines();

}  // namespace pelmora
