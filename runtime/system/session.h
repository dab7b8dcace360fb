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

// Deployment tools and start-up scripts run the program as LocalSystem,
// whose own registry and desktop hold no user's WPS.
[[nodiscard]] inline bool RunsAsLocalSystem() { return port::RunsAsLocalSystem(); }

using UniqueMutex = UniqueResource<port::MutexHandle, &port::CloseMutex>;
using UniqueNamespace = UniqueResource<port::NamespaceHandle, &port::CloseNamespace>;

// The lock and the private namespace it lives in, which stays open with it:
// a namespace whose last handle closes is gone, and the next run would make
// a new one with a second lock inside. Members end in reverse order, the
// mutex first.
struct MachineRunLock {
  UniqueNamespace space;
  UniqueMutex mutex;
  explicit operator bool() const { return static_cast<bool>(mutex); }
};

// Held for as long as the owner lives, by one process of the machine at a
// time, whichever user or service started it; where the system has private
// namespaces, only SYSTEM and administrators can make or hold it. Empty
// when another process holds it (`busy`); also empty, but not busy, when
// the system cannot make it, so a run is never refused for that alone.
[[nodiscard]] MachineRunLock TakeMachineRunLock(bool* busy);

}  // namespace pelmora
