#include "app/finder.h"

#include "app/uninstall_entries.h"
#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

void NoteEntry(const ListedEntry& entry, std::vector<ListFinding>* findings) {
  const UninstallList& list = kMachineUninstallList;
  switch (MatchEntry(list, entry, kMathType7Marks)) {
    case EntryMatch::kProduct:
      findings->push_back({ListFinding::Kind::kMathType7, Text::From(entry.display_name),
                           EntryFolder(list, entry.key_path), {}});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back(
          {ListFinding::Kind::kOtherMathType, Text::From(entry.display_name), Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
  switch (MatchEntry(list, entry, kWpsMarks)) {
    case EntryMatch::kProduct:
      findings->push_back({ListFinding::Kind::kWps, Text::From(entry.display_name), Text(),
                           WpsFoldersOfEntryFolder(WpsFolderOfEntry(list, entry.key_path))});
      break;
    case EntryMatch::kNameOnly:
      findings->push_back({ListFinding::Kind::kOtherWps, Text::From(entry.display_name), Text(), {}});
      break;
    case EntryMatch::kOther:
      break;
  }
}

// Names and folders come from the system, in its code page.
void LogFinding(WorkflowRun& run, const ListFinding& finding) {
  switch (finding.kind) {
    case ListFinding::Kind::kMathType7:
      run.Log(messages::kLogMachineMathType,
              {BoxText().AppendSystem(WithoutTrailingBackslash(finding.math_type_folder))});
      break;
    case ListFinding::Kind::kOtherMathType:
      run.Log(messages::kLogMachineOtherMathType, {BoxText().AppendSystem(finding.display_name)});
      break;
    case ListFinding::Kind::kWps:
      run.Log(messages::kLogMachineWps, {BoxText().AppendSystem(finding.wps.version)});
      break;
    case ListFinding::Kind::kOtherWps:
      run.Log(messages::kLogMachineOtherWps, {BoxText().AppendSystem(finding.display_name)});
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
  for (const ListFinding& finding : findings.machine_list) LogFinding(run, finding);

  for (auto it = findings.machine_list.rbegin(); it != findings.machine_list.rend(); ++it) {
    if (it->kind == ListFinding::Kind::kWps) {
      findings.wps = WpsLocation{it->wps, WpsPlace::kMachineList};
      return findings;
    }
  }
  run.Log(messages::kLogMachineNoWps);
  std::optional<WpsSearch> search = LocateWpsAfterMachineList(run);
  if (!search) return std::nullopt;
  findings.wps = std::move(search->found);
  findings.wps_absence = search->absence;
  return findings;
}

}  // namespace pelmora
