#include "app/held_folders.h"

#include <cstdint>

#include "runtime/text/text.h"

namespace pelmora {

void HeldWpsFolders::Hold(const WpsFolders& wps) {
  HoldOne(wps.office6);
  HoldOne(wps.startup);
}

void HeldWpsFolders::HoldOne(TextView folder) {
  std::uint32_t error = 0;
  HeldFolder held = HeldFolder::Open(folder, &error);
  if (held) {
    held_.push_back(std::move(held));
  } else if (error == kErrorLeadsElsewhere) {
    refused_.push_back(Text::From(folder));
  }
}

bool HeldWpsFolders::Refused(TextView folder) const {
  for (const Text& refused : refused_) {
    if (SameTextIgnoringCase(refused, folder)) return true;
  }
  return false;
}

}  // namespace pelmora
