#include "runtime/system/session.h"

#include <cstdio>

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

// "Global\" so that a run started by a service (SYSTEM, in session 0) and
// one started by a user see the same lock.
UniqueMutex TakeMachineRunLock(bool* busy) {
  bool held_elsewhere = false;
  UniqueMutex mutex(port::CreateNamedMutex("Global\\Pelmora.Run", &held_elsewhere));
  *busy = held_elsewhere;
  if (held_elsewhere) mutex.reset();
  return mutex;
}

}  // namespace pelmora
