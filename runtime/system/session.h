// The session a run takes place in, for the log and for unattended runs:
// the local time as a log writes it, the account, and one run of the
// program at a time on the whole machine.
#pragma once

#include "runtime/system/session_port.h"
#include "runtime/system/unique_resource.h"
#include "runtime/text/values.h"

namespace pelmora {

// "YYYY-MM-DD HH:MM:SS" in local time.
[[nodiscard]] Text LocalTimeStamp();

// The account the program runs as, in the system's code page.
[[nodiscard]] Text AccountName();

using UniqueMutex = UniqueResource<port::MutexHandle, &port::CloseMutex>;

// Held for as long as the owner lives, by one process of the machine at a
// time, whichever user or service started it; where the system has private
// namespaces, only SYSTEM and administrators can make or hold it. Empty
// when another process holds it (`busy`); also empty, but not busy, when
// the system cannot make it, so a run is never refused for that alone.
[[nodiscard]] UniqueMutex TakeMachineRunLock(bool* busy);

}  // namespace pelmora
