#include "app/finder.h"

#include "app/uninstall_entries.h"

namespace pelmora {
namespace {

void NoteEntry(const ListedEntry& entry, std::vector<ListFinding>* findings) {
  const UninstallList& list = kMachineUninstallList;
  switch (MatchEntry(list, entry, kMathType7Marks)) {
    case EntryMatch::kProduct:
      findings->push_back({ListFinding::Kind::kMathType7, EntryFolder(list, entry.key_path), {}});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back({ListFinding::Kind::kOtherMathType, Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
  switch (MatchEntry(list, entry, kWpsMarks)) {
    case EntryMatch::kProduct:
      findings->push_back({ListFinding::Kind::kWps, Text(),
                           WpsFoldersOfEntryFolder(WpsFolderOfEntry(list, entry.key_path))});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back({ListFinding::Kind::kOtherWps, Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
}

}  // namespace

std::optional<Text> Findings::MathTypeFolder() const {
  for (auto it = machine_list.rbegin(); it != machine_list.rend(); ++it) {
    if (it->kind == ListFinding::Kind::kMathType7) return Text::From(it->math_type_folder);
  }
  return std::nullopt;
}

std::optional<std::vector<ListFinding>> ScanMachineList(WorkflowRun& run) {
  std::vector<ListFinding> findings;
  const bool walked = WalkUninstallList(run, kMachineUninstallList, [&](const ListedEntry& entry) {
    NoteEntry(entry, &findings);
  });
  if (!walked) return std::nullopt;
  return findings;
}

std::optional<Findings> FindInstallations(WorkflowRun& run) {
  std::optional<std::vector<ListFinding>> machine_list = ScanMachineList(run);
  if (!machine_list) return std::nullopt;
  Findings findings;
  findings.machine_list = std::move(*machine_list);

  for (auto it = findings.machine_list.rbegin(); it != findings.machine_list.rend(); ++it) {
    if (it->kind == ListFinding::Kind::kWps) {
      findings.wps = WpsLocation{it->wps, WpsPlace::kMachineList};
      return findings;
    }
  }
  std::optional<WpsSearch> search = LocateWpsAfterMachineList(run);
  if (!search) return std::nullopt;
  findings.wps = std::move(search->found);
  findings.wps_absence = search->absence;
  return findings;
}

}  // namespace pelmora
