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

using UniqueNamespace = UniqueResource<port::NamespaceHandle, &port::CloseNamespace>;

// Open as long as the process once the lock was taken: a namespace whose
// last handle closes is gone, and the next run would make a new one with a
// second lock inside.
UniqueNamespace g_run_namespace;

constexpr char kRunNamespace[] = "Pelmora";

}  // namespace

// Where a standard user cannot make it first: a lock that anyone could
// create would let any user hold every unattended run off for good. Where
// the system has no private namespaces, "Global\" so that a run started by
// a service (SYSTEM, in session 0) and one started by a user see the same
// lock.
UniqueMutex TakeMachineRunLock(bool* busy) {
  g_run_namespace = UniqueNamespace(port::OpenAdministratorsNamespace(kRunNamespace));
  bool held_elsewhere = false;
  const std::string in_namespace = std::string(kRunNamespace) + "\\Run";
  UniqueMutex mutex(g_run_namespace
                        ? port::CreateAdministratorsMutex(in_namespace.c_str(), &held_elsewhere)
                        : port::CreateNamedMutex("Global\\Pelmora.Run", &held_elsewhere));
  *busy = held_elsewhere;
  if (held_elsewhere) mutex.reset();
  return mutex;
}

}  // namespace pelmora
