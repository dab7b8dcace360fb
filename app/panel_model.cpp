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

// WPS loads only an add-in of its own bitness; a wps.exe that cannot be
// examined keeps the 32-bit pair, which every WPS before 12.1 needs.
ProgramBitness PairBitnessForWps(const WpsFolders& wps) {
  if (BitnessOfProgram(WpsProgramPath(wps)) == ProgramBitness::k64Bit) {
    return ProgramBitness::k64Bit;
  }
  return ProgramBitness::k32Bit;
}

TextView PairForWps::MissingFile() const {
  switch (gap) {
    case PairGap::kTemplate:
      return pair.template_file;
    case PairGap::kAddIn:
      return pair.add_in;
    case PairGap::kNone:
      break;
  }
  return TextView("");
}

PairForWps ChoosePairForWps(TextView math_type_folder, const WpsFolders& wps) {
  PairForWps chosen;
  chosen.bitness = PairBitnessForWps(wps);
  chosen.pair = MathTypePairFor(math_type_folder, chosen.bitness);
  if (!PathExists(chosen.pair.template_file)) {
    chosen.gap = PairGap::kTemplate;
  } else if (!PathExists(chosen.pair.add_in)) {
    chosen.gap = PairGap::kAddIn;
  }
  return chosen;
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

Text StagedPathOf(TextView destination) { return JoinTexts({destination, ".pelmora-new"}); }

Text SetAsidePathOf(TextView destination) { return JoinTexts({destination, ".pelmora-old"}); }

}  // namespace pelmora
