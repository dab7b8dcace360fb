#include "app/panel_model.h"

#include "runtime/system/files.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

// MathType's own copy of a source for WPS's bitness, below MathType's
// folder: "Office Support\32\" or "MathPage\64\" and the name.
Text MathTypeSourceFile(TextView math_type_folder, PanelSource source, ProgramBitness bitness) {
  const char* below = source == PanelSource::kTemplate ? "Office Support\\" : "MathPage\\";
  const char* bits = bitness == ProgramBitness::k64Bit ? "64\\" : "32\\";
  return JoinTexts({math_type_folder, below, bits, PanelFileName(source)});
}

}  // namespace

MathTypePair MathTypePairFor(TextView math_type_folder, ProgramBitness bitness) {
  return {MathTypeSourceFile(math_type_folder, PanelSource::kTemplate, bitness),
          MathTypeSourceFile(math_type_folder, PanelSource::kAddIn, bitness)};
}

PairGap MissingFromPair(const MathTypePair& pair) {
  if (!FileExists(pair.template_file)) return PairGap::kTemplate;
  if (!FileExists(pair.add_in)) return PairGap::kAddIn;
  return PairGap::kNone;
}

// The version folder is the folder without its final character; the other
// two are named from the folder as given.
WpsFolders WpsFoldersOfEntryFolder(TextView entry_folder) {
  return {LeftText(entry_folder, TextLength(entry_folder) - 1),
          JoinTexts({entry_folder, "office6\\startup"}), JoinTexts({entry_folder, "office6"})};
}

WpsFolders WpsFoldersOf(TextView version_folder) {
  return WpsFoldersOfEntryFolder(JoinTexts({version_folder, "\\"}));
}

Text WpsProgramPath(const WpsFolders& wps) { return JoinTexts({wps.office6, "\\wps.exe"}); }

const Text& SourceOf(const MathTypePair& pair, const PanelFile& file) {
  return file.source == PanelSource::kTemplate ? pair.template_file : pair.add_in;
}

const Text& FolderOf(const WpsFolders& wps, const PanelFile& file) {
  return file.folder == PanelFolder::kStartup ? wps.startup : wps.office6;
}

Text DestinationOf(const WpsFolders& wps, const PanelFile& file) {
  return JoinTexts({FolderOf(wps, file), "\\", PanelFileName(file.source)});
}

}  // namespace pelmora
