#include "app/held_folders.h"

#include "runtime/system/files_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {

void HeldWpsFolders::Hold(const WpsFolders& wps) {
  HoldOne(wps.office6);
  HoldOne(wps.startup);
}

void HeldWpsFolders::HoldOne(TextView folder) {
  // A version folder can be both one WPS's and another's older one.
  if (RefusalOf(folder) != 0) return;
  for (const Text& name : held_names_) {
    if (SameTextIgnoringCase(name, folder, IsPathLeadByte)) return;
  }
  std::uint32_t error = 0;
  HeldFolder held = HeldFolder::Open(folder, &error);
  if (held) {
    held_.push_back(std::move(held));
    held_names_.push_back(Text::From(folder));
  } else {
    // A folder that is missing is a path that is missing, as a copy into
    // it would have said.
    if (error == port::kErrorFileNotFound) error = port::kErrorPathNotFound;
    refused_.push_back({Text::From(folder), error});
  }
}

std::uint32_t HeldWpsFolders::RefusalOf(TextView folder) const {
  for (const RefusedFolder& refused : refused_) {
    if (SameTextIgnoringCase(refused.folder, folder, IsPathLeadByte)) return refused.error;
  }
  return 0;
}

}  // namespace pelmora
