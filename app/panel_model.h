// The panel's geography, in one place: which MathType file each panel file
// is copied from, where each copy goes in WPS, which of WPS's folders
// follow from a version folder, and which of MathType's pairs a WPS needs.
// Discovery, placement, removal and the status check all ask this module,
// so they never disagree on a path or a pair.
#pragma once

#include "runtime/system/bitness.h"
#include "runtime/text/values.h"

namespace pelmora {

// MathType's template and add-in of one bitness.
struct MathTypePair {
  Text template_file;  // ...\MathType Commands 2016.dotm
  Text add_in;         // ...\MathPage.wll
};

// WPS's folders below one version folder, none with a trailing backslash.
struct WpsFolders {
  Text version;
  Text startup;  // office6\startup
  Text office6;
};

// MathType's file a placed copy is made from.
enum class PanelSource { kTemplate, kAddIn };
// WPS's folder the copy goes into.
enum class PanelFolder { kStartup, kOffice6 };

struct PanelFile {
  PanelSource source;
  PanelFolder folder;
};

// The files the embedding places and the removal takes away, in the order
// they are copied, listed and reported.
inline constexpr PanelFile kPanelFiles[] = {
    {PanelSource::kTemplate, PanelFolder::kStartup},
    {PanelSource::kAddIn, PanelFolder::kStartup},
    {PanelSource::kAddIn, PanelFolder::kOffice6},
};

// A placed copy keeps its source's name.
constexpr const char* PanelFileName(PanelSource source) {
  return source == PanelSource::kTemplate ? "MathType Commands 2016.dotm" : "MathPage.wll";
}

// The pair below MathType's folder (ending in a backslash) that a WPS of
// the given bitness loads; anything but 64-bit takes the 32-bit pair.
[[nodiscard]] MathTypePair MathTypePairFor(TextView math_type_folder, ProgramBitness bitness);

// WPS's folders below a version folder given without its trailing
// backslash.
[[nodiscard]] WpsFolders WpsFoldersOf(TextView version_folder);
// The same for the folder an uninstall entry names, which ends in its
// backslash. An entry whose command had no backslash names no folder at
// all; its folders are then the bare relative names.
[[nodiscard]] WpsFolders WpsFoldersOfEntryFolder(TextView entry_folder);

// WPS's main program, whose bitness decides which pair WPS loads.
[[nodiscard]] Text WpsProgramPath(const WpsFolders& wps);

// The bitness of the pair a WPS loads: 64-bit for a 64-bit wps.exe, else
// (a wps.exe that cannot be examined too) 32-bit.
[[nodiscard]] ProgramBitness PairBitnessForWps(const WpsFolders& wps);

// Which file of a pair is missing on disk, the template checked first.
enum class PairGap { kNone, kTemplate, kAddIn };

// MathType's pair for one WPS, decided once: every run that places,
// compares or reports a pair takes this.
struct PairForWps {
  ProgramBitness bitness = ProgramBitness::k32Bit;
  MathTypePair pair;
  PairGap gap = PairGap::kNone;
  // The missing file's path; empty when the pair is whole.
  [[nodiscard]] TextView MissingFile() const;
};
[[nodiscard]] PairForWps ChoosePairForWps(TextView math_type_folder, const WpsFolders& wps);

// Where one panel file comes from and where its copy goes.
[[nodiscard]] const Text& SourceOf(const MathTypePair& pair, const PanelFile& file);
[[nodiscard]] const Text& FolderOf(const WpsFolders& wps, const PanelFile& file);
[[nodiscard]] Text DestinationOf(const WpsFolders& wps, const PanelFile& file);

// Beside each destination while the three are placed together: the new
// copy before it is put in place, and the earlier copy kept until all
// three are in place. WPS loads neither name, and no program of WPS or
// MathType uses them, so a leftover of a run that was killed is known for
// ours and deleted by the next run.
[[nodiscard]] Text StagedPathOf(TextView destination);
[[nodiscard]] Text SetAsidePathOf(TextView destination);

}  // namespace pelmora
