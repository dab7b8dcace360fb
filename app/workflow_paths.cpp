#include "app/workflow_paths.h"

#include "app/panel_file_list.h"
#include "runtime/text/text.h"

namespace pelmora {

MathTypePair MathTypePairFor(TextView math_type_folder, ProgramBitness bitness) {
  return {MathTypeSourceFile(math_type_folder, PanelSource::kTemplate, bitness),
          MathTypeSourceFile(math_type_folder, PanelSource::kAddIn, bitness)};
}

WpsFolders WpsFoldersBelow(TextView folder) {
  // The version folder is the folder without its final backslash; the
  // other two are named from the folder as given, so a folder that came
  // without the backslash (an entry whose command had none) still names
  // them as it always has.
  return {LeftText(folder, TextLength(folder) - 1), JoinTexts({folder, "office6\\startup"}),
          JoinTexts({folder, "office6"})};
}

WpsFolders WpsFoldersOfVersion(TextView version_folder) {
  return WpsFoldersBelow(JoinTexts({version_folder, "\\"}));
}

}  // namespace pelmora
