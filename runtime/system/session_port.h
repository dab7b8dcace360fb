// What a log and an unattended run need to know of the session they run
// in: the local time, the account, and whether another run of the program
// holds the machine-wide lock.
#pragma once

#include <cstdint>
#include <string>

namespace pelmora::port {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
// GetLocalTime.
LocalTime LocalTimeNow();

// GetUserNameA, in the system's code page; empty when it fails.
std::string AccountName();
// Whether the process token's user is LocalSystem (S-1-5-18); false when
// the token cannot be read.
bool RunsAsLocalSystem();

using MutexHandle = std::uintptr_t;  // 0 = none
// CreateMutexA of this name; `held_elsewhere` when another process made it
// first. 0 when it cannot be made at all.
[[nodiscard]] MutexHandle CreateNamedMutex(const char* name, bool* held_elsewhere);
void CloseMutex(MutexHandle mutex);

using NamespaceHandle = std::uintptr_t;  // 0 = none
// The private namespace of this alias whose boundary is the Administrators
// group (CreateBoundaryDescriptorW, AddSIDToBoundaryDescriptor), made with
// CreatePrivateNamespaceW, or opened with OpenPrivateNamespaceW when
// another process made it first; only SYSTEM and administrators may use
// it. 0 where the system has no private namespaces, or refuses the caller.
[[nodiscard]] NamespaceHandle OpenAdministratorsNamespace(const char* alias);
// ClosePrivateNamespace.
void CloseNamespace(NamespaceHandle space);
// CreateMutexW of "alias\name" in such a namespace, open to SYSTEM and
// administrators only; otherwise as CreateNamedMutex.
[[nodiscard]] MutexHandle CreateAdministratorsMutex(const char* name, bool* held_elsewhere);

}  // namespace pelmora::port
