#include "app/finder.h"

#include "runtime/system/system_error.h"
#include "runtime/system/system_path.h"
#include "runtime/system/user_hive.h"
#include "runtime/system/user_profiles.h"
#include "runtime/text/text.h"

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

std::optional<std::vector<ListFinding>> ScanMachineList(ScanContext& scan) {
  std::optional<std::vector<ListFinding>> machine_list =
      ScanUninstallList(scan, kMachineUninstallList);
  if (machine_list) {
    for (const ListFinding& finding : *machine_list) LogFinding(scan, finding);
  }
  return machine_list;
}

std::optional<Text> MathTypeFolderOf(const std::vector<ListFinding>& machine_list) {
  const ListFinding* math_type = LastFinding(machine_list, ListFinding::Kind::kMathType7);
  if (math_type == nullptr) return std::nullopt;
  return Text::From(math_type->math_type_folder);
}

// A WPS that several places name (its user's list and its shortcut, or the
// machine's list and InstallRoot) is one WPS, worked on once.
void AddOnce(ScanContext& scan, WpsLocation found, std::vector<WpsLocation>* every) {
  for (const WpsLocation& known : *every) {
    if (SameTextIgnoringCase(known.folders.version, found.folders.version, IsPathLeadByte)) {
      scan.Log(messages::kLogWpsCountedOnce, {BoxText().AppendSystem(found.folders.version)});
      return;
    }
  }
  every->push_back(std::move(found));
}

// The log names the account by its whole profile folder.
BoxText AccountFolderText(const UserProfile& profile) {
  return BoxText().AppendSystem(profile.folder.empty() ? profile.sid : profile.folder);
}

// What the account's places are named after: its profile folder's own
// name, as its user knows it ("alice"), else its SID.
Text AccountNameOf(const UserProfile& profile) {
  Text name = FinalPathPart(WithoutTrailingBackslash(profile.folder));
  return name.empty() ? Text::From(profile.sid) : name;
}

// False when the window was closed meanwhile.
bool LookAtAccounts(ScanContext& scan, std::vector<WpsLocation>* every) {
  for (const UserProfile& profile : ListUserProfiles()) {
    HiveFailure failure;
    // Goes at the end of this turn: a loaded hive is unloaded before the
    // next account's is loaded.
    const UserHive hive = UserHive::Open(profile, &failure);
    if (!hive) {
      scan.Log(messages::kLogAccountPassedOver,
               {AccountFolderText(profile), DescribeSystemError(failure.error)});
      continue;
    }
    scan.Log(hive.loaded_here() ? messages::kLogAccountLoaded : messages::kLogAccountInUse,
             {AccountFolderText(profile)});
    std::optional<WpsLocation> found;
    if (!LocateAccountWps(scan, profile, hive, AccountNameOf(profile), &found)) return false;
    if (found) AddOnce(scan, std::move(*found), every);
  }
  return true;
}

// The machine-wide list's last WPS entry; logs that it named none.
std::optional<WpsLocation> MachineListWps(ScanContext& scan, const std::vector<ListFinding>& list) {
  const ListFinding* wps = LastFinding(list, ListFinding::Kind::kWps);
  if (wps == nullptr) {
    scan.Log(messages::kLogMachineNoWps);
    return std::nullopt;
  }
  return WpsLocation{wps->wps, WpsPlace::kMachineList, Text()};
}

}  // namespace

std::optional<Text> Findings::MathTypeFolder() const { return MathTypeFolderOf(machine_list); }
std::optional<Text> EveryWps::MathTypeFolder() const { return MathTypeFolderOf(machine_list); }

std::optional<EveryWps> FindEveryWps(ScanContext& scan) {
  std::optional<std::vector<ListFinding>> machine_list = ScanMachineList(scan);
  if (!machine_list) return std::nullopt;
  EveryWps every;
  every.machine_list = std::move(*machine_list);
  if (std::optional<WpsLocation> wps = MachineListWps(scan, every.machine_list)) {
    every.wps.push_back(std::move(*wps));
  }
  std::vector<WpsLocation> machine_places;
  if (!LocateMachineWps(scan, &machine_places)) return std::nullopt;
  for (WpsLocation& found : machine_places) AddOnce(scan, std::move(found), &every.wps);
  if (!LookAtAccounts(scan, &every.wps)) return std::nullopt;
  return every;
}

std::optional<Findings> FindInstallations(ScanContext& scan) {
  std::optional<std::vector<ListFinding>> machine_list = ScanMachineList(scan);
  if (!machine_list) return std::nullopt;
  Findings findings;
  findings.machine_list = std::move(*machine_list);
  findings.wps = MachineListWps(scan, findings.machine_list);
  if (findings.wps) return findings;
  std::optional<WpsSearch> search = LocateWpsAfterMachineList(scan);
  if (!search) return std::nullopt;
  findings.wps = std::move(search->found);
  findings.wps_absence = search->absence;
  return findings;
}

}  // namespace pelmora
