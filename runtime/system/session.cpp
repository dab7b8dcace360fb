#include "runtime/system/session.h"

#include <cstdio>
#include <string>

namespace pelmora {

Text LocalTimeStamp() {
  const port::LocalTime now = port::LocalTimeNow();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  return Text::From(TextView(stamp));
}

Text AccountName() {
  const std::string name = port::AccountName();
  return Text::FromBytes(name.data(), name.size());
}

namespace {

constexpr char kRunNamespace[] = "Pelmora";

}  // namespace

// Where a standard user cannot make it first: a lock that anyone could
// create would let any user hold every unattended run off for good. Where
// the system has no private namespaces, "Global\" so that a run started by
// a service (SYSTEM, in session 0) and one started by a user see the same
// lock.
MachineRunLock TakeMachineRunLock(bool* busy) {
  MachineRunLock lock;
  lock.space = UniqueNamespace(port::OpenAdministratorsNamespace(kRunNamespace));
  bool held_elsewhere = false;
  const std::string in_namespace = std::string(kRunNamespace) + "\\Run";
  lock.mutex = UniqueMutex(
      lock.space ? port::CreateAdministratorsMutex(in_namespace.c_str(), &held_elsewhere)
                 : port::CreateNamedMutex("Global\\Pelmora.Run", &held_elsewhere));
  *busy = held_elsewhere;
  if (held_elsewhere) lock = MachineRunLock();
  return lock;
}

}  // namespace pelmora
