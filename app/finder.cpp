#include "app/finder.h"

#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

// Names and folders come from the system, in its code page.
void LogFinding(ScanContext& scan, const ListFinding& finding) {
  switch (finding.kind) {
    case ListFinding::Kind::kMathType7:
      scan.Log(messages::kLogMachineMathType,
               {BoxText().AppendSystem(WithoutTrailingBackslash(finding.math_type_folder))});
      break;
    case ListFinding::Kind::kOtherMathType:
      scan.Log(messages::kLogMachineOtherMathType, {BoxText().AppendSystem(finding.display_name)});
      break;
    case ListFinding::Kind::kWps:
      scan.Log(messages::kLogMachineWps, {BoxText().AppendSystem(finding.wps.version)});
      break;
    case ListFinding::Kind::kOtherWps:
      scan.Log(messages::kLogMachineOtherWps, {BoxText().AppendSystem(finding.display_name)});
      break;
  }
}

}  // namespace

std::optional<Text> Findings::MathTypeFolder() const {
  const ListFinding* math_type = LastFinding(machine_list, ListFinding::Kind::kMathType7);
  if (math_type == nullptr) return std::nullopt;
  return Text::From(math_type->math_type_folder);
}

std::optional<Findings> FindInstallations(ScanContext& scan) {
  std::optional<std::vector<ListFinding>> machine_list =
      ScanUninstallList(scan, kMachineUninstallList);
  if (!machine_list) return std::nullopt;
  Findings findings;
  findings.machine_list = std::move(*machine_list);
  for (const ListFinding& finding : findings.machine_list) LogFinding(scan, finding);

  if (const ListFinding* wps = LastFinding(findings.machine_list, ListFinding::Kind::kWps)) {
    findings.wps = WpsLocation{wps->wps, WpsPlace::kMachineList};
    return findings;
  }
  scan.Log(messages::kLogMachineNoWps);
  std::optional<WpsSearch> search = LocateWpsAfterMachineList(scan);
  if (!search) return std::nullopt;
  findings.wps = std::move(search->found);
  findings.wps_absence = search->absence;
  return findings;
}

}  // namespace pelmora
