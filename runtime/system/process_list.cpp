#include "runtime/system/process_list.h"

#include "runtime/system/process_list_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

bool IsOneOf(TextView file_name, const char* const* names, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (SameTextIgnoringCase(file_name, names[i], IsPathLeadByte)) return true;
  }
  return false;
}

}  // namespace

bool ProgramRunsInside(TextView folder, const char* const* file_names, std::size_t count) {
  port::UniqueProcessSnapshot snapshot(port::TakeProcessSnapshot());
  if (!snapshot) return false;
  Text inside = JoinTexts({folder, "\\"});
  port::ProcessEntry entry;
  for (bool more = port::FirstProcess(snapshot.get(), &entry); more;
       more = port::NextProcess(snapshot.get(), &entry)) {
    entry.file_name[port::kPathBuffer - 1] = '\0';
    if (!IsOneOf(entry.file_name, file_names, count)) continue;
    char path[port::kPathBuffer + 1] = {};
    // Another user's elevated process, a protected one, or one that ended
    // after the snapshot refuses the query: it is passed over, since its
    // path cannot tell where it runs from.
    if (!port::ProcessImagePath(entry.id, path)) continue;
    path[port::kPathBuffer - 1] = '\0';
    if (StartsWithIgnoringCase(path, inside, IsPathLeadByte)) return true;
  }
  return false;
}

}  // namespace pelmora
