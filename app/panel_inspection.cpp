#include "app/panel_inspection.h"

#include <cstdint>
#include <optional>

#include "runtime/system/files.h"
#include "runtime/system/files_port.h"
#include "runtime/system/system_path.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr std::int32_t kFolderAttribute = static_cast<std::int32_t>(port::kAttributeFolder);
// Fault location of this file's list read, for the fatal report.
constexpr FaultLocation kSiblingRead = {0x00140001, 1};

// The entry the path names, as the system lists it; empty when there is
// none of the kind asked for (no mask: files only).
Text ListedName(TextView path, std::optional<std::int32_t> attribute_mask) {
  UniqueFileSearch search;
  return FindFile(path, attribute_mask, &search);
}

// The search also matches a file's short 8.3 name; only the file whose own
// name is the one asked for counts.
std::optional<Text> PlacedCopy(const WpsFolders& folders, const PanelFile& file) {
  const char* name = PanelFileName(file.source);
  Text listed = ListedName(DestinationOf(folders, file), std::nullopt);
  if (!SameTextIgnoringCase(listed, name)) return std::nullopt;
  return JoinTexts({FolderOf(folders, file), "\\", listed});
}

bool HoldsOffice6Folder(TextView version_folder) {
  return SameTextIgnoringCase(ListedName(WpsFoldersOf(version_folder).office6, kFolderAttribute),
                              "office6");
}

// The folders beside the current version folder that hold an office6
// folder and any copy: updates keep the old version folders, with their
// copies.
std::vector<OtherVersionCopies> OtherVersionsWithCopies(TextView version_folder) {
  std::vector<OtherVersionCopies> found;
  Text parent = ParentFolder(version_folder);
  if (parent.empty()) return found;
  TextView current_name(version_folder.c_str() + parent.size() + 1);

  TextArray siblings = PathDirList(parent);
  for (std::int32_t i = 1; i <= siblings.ElementCount(); ++i) {
    TextView name = siblings.At(i, kSiblingRead);
    if (SameTextIgnoringCase(name, current_name)) continue;
    Text sibling = JoinTexts({parent, "\\", name});
    if (!HoldsOffice6Folder(sibling)) continue;
    OtherVersionCopies other{std::move(sibling), {}};
    const WpsFolders folders = WpsFoldersOf(other.version_folder);
    for (const PanelFile& file : kPanelFiles) {
      if (std::optional<Text> copy = PlacedCopy(folders, file)) other.copies.push_back(std::move(*copy));
    }
    if (!other.copies.empty()) found.push_back(std::move(other));
  }
  return found;
}

}  // namespace

PanelState PanelInspection::State() const {
  if (!compared) return PanelState::kCannotCheck;
  bool all_same = true;
  bool none_there = true;
  for (const PanelCopy& copy : copies) {
    if (copy.state != PanelCopy::State::kSame) all_same = false;
    if (copy.state != PanelCopy::State::kMissing) none_there = false;
  }
  if (all_same) return PanelState::kEmbedded;
  if (none_there) return PanelState::kNotEmbedded;
  return PanelState::kNeedsEmbedding;
}

std::vector<Text> PanelInspection::CopiesOnDisk() const {
  std::vector<Text> paths;
  for (const PanelCopy& copy : copies) {
    if (copy.state != PanelCopy::State::kMissing) paths.push_back(Text::From(copy.path));
  }
  for (const OtherVersionCopies& other : other_versions) {
    for (const Text& path : other.copies) paths.push_back(Text::From(path));
  }
  return paths;
}

PanelInspection InspectPanel(const WpsFolders& wps, const MathTypePair* pair) {
  PanelInspection inspection;
  inspection.compared = pair != nullptr;
  for (std::size_t i = 0; i < std::size(kPanelFiles); ++i) {
    const PanelFile& file = kPanelFiles[i];
    PanelCopy& copy = inspection.copies[i];
    std::optional<Text> placed = PlacedCopy(wps, file);
    if (!placed) {
      copy.path = DestinationOf(wps, file);
      continue;
    }
    copy.path = std::move(*placed);
    if (pair == nullptr) {
      copy.state = PanelCopy::State::kPresent;
    } else {
      copy.state = SameFileContent(SourceOf(*pair, file), copy.path) ? PanelCopy::State::kSame
                                                                     : PanelCopy::State::kDifferent;
    }
  }
  inspection.other_versions = OtherVersionsWithCopies(wps.version);
  return inspection;
}

}  // namespace pelmora
