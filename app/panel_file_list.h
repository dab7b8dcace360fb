// The files the embedding places into WPS, which are exactly the files the
// removal of the panel takes away again, and where MathType keeps them for
// each bitness: one list, so that the copy, the removal and the checks of
// MathType's install never disagree on a name.
#pragma once

#include "runtime/system/bitness.h"
#include "runtime/text/text.h"
#include "runtime/text/values.h"

namespace pelmora {

// MathType's file a placed copy is made from (of the pair that matches
// WPS's bitness).
enum class PanelSource { kTemplate, kAddIn };
// WPS's folder the copy goes into, below its version folder.
enum class PanelFolder { kStartup, kOffice6 };

struct PanelFile {
  PanelSource source;
  PanelFolder folder;
};

// In the order they are copied and listed for removal.
inline constexpr PanelFile kPanelFiles[] = {
    {PanelSource::kTemplate, PanelFolder::kStartup},
    {PanelSource::kAddIn, PanelFolder::kStartup},
    {PanelSource::kAddIn, PanelFolder::kOffice6},
};

// A placed copy keeps its source's name.
constexpr const char* PanelFileName(PanelSource source) {
  return source == PanelSource::kTemplate ? "MathType Commands 2016.dotm" : "MathPage.wll";
}

// The folder's path relative to a version folder, between backslashes.
constexpr const char* PanelFolderBelowVersion(PanelFolder folder) {
  return folder == PanelFolder::kStartup ? "\\office6\\startup\\" : "\\office6\\";
}

// MathType's own copy of a source for WPS's bitness, below MathType's folder
// (which ends in a backslash): "Office Support\32\" or "MathPage\64\" and
// the name. Anything but 64-bit is the 32-bit copy.
inline Text MathTypeSourceFile(TextView math_type_folder, PanelSource source,
                               ProgramBitness bitness) {
  const char* below = source == PanelSource::kTemplate ? "Office Support\\" : "MathPage\\";
  const char* bits = bitness == ProgramBitness::k64Bit ? "64\\" : "32\\";
  return JoinTexts({math_type_folder, below, bits, PanelFileName(source)});
}

}  // namespace pelmora
