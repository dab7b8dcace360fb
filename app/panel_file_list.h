// The files the embedding places into WPS, which are exactly the files the
// removal of the panel takes away again: one list, so that the two never
// disagree.
#pragma once

namespace pelmora {

// MathType's file a placed copy is made from (of the pair that matches
// WPS's bitness).
enum class PanelSource { kTemplate, kAddIn };
// WPS's folder the copy goes into, below its version folder.
enum class PanelFolder { kStartup, kOffice6 };

struct PanelFile {
  PanelSource source;
  PanelFolder folder;
  const char* name;
};

// In the order they are copied and listed for removal.
inline constexpr PanelFile kPanelFiles[] = {
    {PanelSource::kTemplate, PanelFolder::kStartup, "MathType Commands 2016.dotm"},
    {PanelSource::kAddIn, PanelFolder::kStartup, "MathPage.wll"},
    {PanelSource::kAddIn, PanelFolder::kOffice6, "MathPage.wll"},
};

// The folder's path relative to a version folder, between backslashes.
constexpr const char* PanelFolderBelowVersion(PanelFolder folder) {
  return folder == PanelFolder::kStartup ? "\\office6\\startup\\" : "\\office6\\";
}

}  // namespace pelmora
