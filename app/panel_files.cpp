#include "app/panel_files.h"

#include <cstdint>
#include <optional>

#include "app/panel_file_list.h"
#include "runtime/files.h"
#include "runtime/system_path.h"
#include "runtime/text.h"

namespace pelmora {
namespace {

constexpr std::int32_t kFolderAttribute = 0x10;
// Fault location of this file's list read, for the fatal report.
constexpr FaultLocation kSiblingRead = {0x00140001, 1};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names come in the system's code page; the ones compared with a fixed
// name are ASCII, and folding ASCII letters is all that is needed.
bool SameNameIgnoringCase(TextView a, TextView b) {
  const char* x = a.c_str();
  const char* y = b.c_str();
  for (; *x != '\0' && *y != '\0'; ++x, ++y) {
    if (LowerAscii(*x) != LowerAscii(*y)) return false;
  }
  return *x == *y;
}

// The entry the path names, as the system lists it; empty when there is
// none of the kind asked for (no mask: files only).
Text ListedName(TextView path, std::optional<std::int32_t> attribute_mask) {
  SearchHandleSlot slot = 0;
  Text name = FindFile(path, attribute_mask, &slot);
  EndFileSearch(slot);
  return name;
}

// Paths are listed as the file system spells their names. The search also
// matches a file's short 8.3 name; only the file whose own name is the one
// asked for counts.
void AddPlacedFiles(TextView version_folder, std::vector<Text>* found) {
  for (const PanelFile& file : kPanelFiles) {
    Text folder = JoinTexts({version_folder, PanelFolderBelowVersion(file.folder)});
    Text listed = ListedName(JoinTexts({folder, file.name}), std::nullopt);
    if (SameNameIgnoringCase(listed, file.name)) found->push_back(JoinTexts({folder, listed}));
  }
}

bool HoldsOffice6Folder(TextView folder) {
  Text office6 = JoinTexts({folder, "\\office6"});
  return SameNameIgnoringCase(ListedName(office6, kFolderAttribute), "office6");
}

}  // namespace

std::vector<Text> FindPlacedPanelFiles(TextView version_folder) {
  std::vector<Text> found;
  AddPlacedFiles(version_folder, &found);

  Text parent = ParentFolder(version_folder);
  if (parent.empty()) return found;
  TextView current_name(version_folder.c_str() + parent.size() + 1);

  TextArray siblings = PathDirList(parent);
  for (std::int32_t i = 1; i <= siblings.ElementCount(); ++i) {
    TextView name = siblings.At(i, kSiblingRead);
    if (SameNameIgnoringCase(name, current_name)) continue;
    Text sibling = JoinTexts({parent, "\\", name});
    if (HoldsOffice6Folder(sibling)) AddPlacedFiles(sibling, &found);
  }
  return found;
}

}  // namespace pelmora
