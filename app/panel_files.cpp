#include "app/panel_files.h"

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

void AddPlacedFiles(TextView version_folder, std::vector<Text>* found) {
  for (const PanelFile& file : kPanelFiles) {
    if (std::optional<Text> path = PlacedPanelFile(version_folder, file)) {
      found->push_back(std::move(*path));
    }
  }
}

bool HoldsOffice6Folder(TextView version_folder) {
  return SameTextIgnoringCase(ListedName(WpsFoldersOf(version_folder).office6, kFolderAttribute),
                              "office6");
}

}  // namespace

// Paths are listed as the file system spells their names. The search also
// matches a file's short 8.3 name; only the file whose own name is the one
// asked for counts.
std::optional<Text> PlacedPanelFile(TextView version_folder, const PanelFile& file) {
  const WpsFolders folders = WpsFoldersOf(version_folder);
  const char* name = PanelFileName(file.source);
  Text listed = ListedName(DestinationOf(folders, file), std::nullopt);
  if (!SameTextIgnoringCase(listed, name)) return std::nullopt;
  return JoinTexts({FolderOf(folders, file), "\\", listed});
}

std::vector<Text> OtherVersionFolders(TextView version_folder) {
  std::vector<Text> folders;
  Text parent = ParentFolder(version_folder);
  if (parent.empty()) return folders;
  TextView current_name(version_folder.c_str() + parent.size() + 1);

  TextArray siblings = PathDirList(parent);
  for (std::int32_t i = 1; i <= siblings.ElementCount(); ++i) {
    TextView name = siblings.At(i, kSiblingRead);
    if (SameTextIgnoringCase(name, current_name)) continue;
    Text sibling = JoinTexts({parent, "\\", name});
    if (HoldsOffice6Folder(sibling)) folders.push_back(std::move(sibling));
  }
  return folders;
}

bool PanelInPlace(const MathTypePair& pair, const WpsFolders& wps) {
  for (const PanelFile& file : kPanelFiles) {
    if (!SameFileContent(SourceOf(pair, file), DestinationOf(wps, file))) return false;
  }
  return true;
}

// A delete can report success and leave the file (Wine does so for a file
// the file system keeps immutable), so only a file no longer found counts
// as removed. One that survived a reported success was refused by the
// system, which is what a second attempt would say: access denied.
bool DeleteCopy(TextView path, std::uint32_t* error) {
  if (!RemoveFile(path, error)) return false;
  if (!FileExists(path)) return true;
  *error = port::kErrorAccessDenied;
  return false;
}

std::vector<Text> FindPlacedPanelFiles(TextView version_folder) {
  std::vector<Text> found;
  AddPlacedFiles(version_folder, &found);
  for (const Text& sibling : OtherVersionFolders(version_folder)) AddPlacedFiles(sibling, &found);
  return found;
}

}  // namespace pelmora
