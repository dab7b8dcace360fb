#include "runtime/process_list.h"

#include "runtime/process_list_port.h"
#include "runtime/system_path.h"
#include "runtime/text.h"
#include "runtime/unique_resource.h"

namespace pelmora {
namespace {

// The snapshot of one check, closed on every way out.
using OwnedSnapshot = UniqueResource<port::ProcessSnapshot, port::CloseProcessSnapshot>;

unsigned char Folded(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Whether `text` begins with `prefix`, ASCII letters compared without case.
// Both are paths from the system, so characters are stepped through by its
// code page; the second byte of a double-byte character is compared
// exactly, as it may have a letter's code without being one.
bool StartsWithIgnoringCase(TextView text, TextView prefix) {
  const char* t = text.c_str();
  const char* p = prefix.c_str();
  bool trail_byte = false;
  for (; *p != '\0'; ++p, ++t) {
    unsigned char a = static_cast<unsigned char>(*t);
    unsigned char b = static_cast<unsigned char>(*p);
    if (a == 0) return false;
    if (trail_byte ? a != b : Folded(a) != Folded(b)) return false;
    trail_byte = !trail_byte && IsPathLeadByte(static_cast<char>(b));
  }
  return true;
}

bool SameNameIgnoringCase(TextView a, TextView b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool IsOneOf(TextView file_name, const char* const* names, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (SameNameIgnoringCase(file_name, names[i])) return true;
  }
  return false;
}

}  // namespace

bool ProgramRunsInside(TextView folder, const char* const* file_names, std::size_t count) {
  OwnedSnapshot snapshot(port::TakeProcessSnapshot());
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
    if (StartsWithIgnoringCase(path, inside)) return true;
  }
  return false;
}

}  // namespace pelmora
