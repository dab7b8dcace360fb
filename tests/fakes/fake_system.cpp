// The fake process list and bitness: processes are image paths with ids in
// start order; a program file's bitness is read from its fake content.
#include "fakes/fake_system.h"

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "fakes/fake_names.h"
#include "runtime/system/bitness_port.h"
#include "runtime/system/process_list_port.h"
#include "runtime/system/session_port.h"

namespace pelmora::fake {
namespace {

struct Process {
  std::string image_path;
  bool readable;
};

struct SystemState {
  std::map<std::uint32_t, Process> processes;  // by id
  std::uint32_t next_id = 100;
  std::map<std::uintptr_t, std::map<std::uint32_t, Process>> snapshots;
  std::uintptr_t next_snapshot = 0x4000;
  bool fail_snapshots = false;
  int path_queries = 0;
  bool windows_64 = false;
  port::LocalTime now{2026, 12, 8, 9, 5, 3};
  std::string account = "tester";
  bool local_system = false;
  bool another_run = false;
  bool private_namespaces = true;
  int open_mutexes = 0;
  std::string last_mutex_name;
};

SystemState& State() {
  static SystemState state;
  return state;
}

std::string FileNameOf(const std::string& path) {
  std::vector<std::string> parts = SplitComponents(path, false);
  return parts.back();
}

// The entry after `id` in the snapshot, as Process32Next gives it.
bool EntryAfter(std::uintptr_t snapshot, std::uint32_t id, bool first, port::ProcessEntry* entry) {
  auto taken = State().snapshots.find(snapshot);
  if (taken == State().snapshots.end()) return false;
  auto it = first ? taken->second.begin() : taken->second.upper_bound(id);
  if (it == taken->second.end()) return false;
  entry->id = it->first;
  std::string name = FileNameOf(it->second.image_path);
  std::strncpy(entry->file_name, name.c_str(), port::kPathBuffer - 1);
  return true;
}

}  // namespace

void FakeProcessList::Start(const std::string& image_path, bool readable) {
  State().processes[State().next_id] = Process{image_path, readable};
  State().next_id += 4;
}

void FakeProcessList::End(const std::string& image_path) {
  auto& processes = State().processes;
  for (auto it = processes.begin(); it != processes.end();) {
    if (UpperName(it->second.image_path) == UpperName(image_path)) {
      it = processes.erase(it);
    } else {
      ++it;
    }
  }
}

void FakeProcessList::FailSnapshots() { State().fail_snapshots = true; }
int FakeProcessList::open_snapshots() const { return static_cast<int>(State().snapshots.size()); }
int FakeProcessList::path_queries() const { return State().path_queries; }

FakeProcessList& Processes() {
  static FakeProcessList processes;
  return processes;
}

void SetWindows64(bool is_64_bit) { State().windows_64 = is_64_bit; }

void SetLocalTime(int year, int month, int day, int hour, int minute, int second) {
  State().now = {year, month, day, hour, minute, second};
}
void SetAccountName(const std::string& name) { State().account = name; }
void SetLocalSystem(bool is_local_system) { State().local_system = is_local_system; }
void SetAnotherRunUnderWay(bool under_way) { State().another_run = under_way; }
int open_mutexes() { return State().open_mutexes; }
void SetPrivateNamespaces(bool available) { State().private_namespaces = available; }
std::string last_mutex_name() { return State().last_mutex_name; }

void ClearSystem() { State() = SystemState(); }

}  // namespace pelmora::fake

namespace pelmora::port {

LocalTime LocalTimeNow() { return fake::State().now; }
std::string AccountName() { return fake::State().account; }
bool RunsAsLocalSystem() { return fake::State().local_system; }

MutexHandle CreateNamedMutex(const char* name, bool* held_elsewhere) {
  *held_elsewhere = fake::State().another_run;
  ++fake::State().open_mutexes;
  fake::State().last_mutex_name = name;
  return 0x7000;
}

void CloseMutex(MutexHandle) { --fake::State().open_mutexes; }

NamespaceHandle OpenAdministratorsNamespace(const char*) {
  return fake::State().private_namespaces ? 0x7100 : 0;
}

void CloseNamespace(NamespaceHandle) {}

MutexHandle CreateAdministratorsMutex(const char* name, bool* held_elsewhere) {
  return CreateNamedMutex(name, held_elsewhere);
}

ProcessSnapshot TakeProcessSnapshot() {
  auto& state = fake::State();
  if (state.fail_snapshots) return 0;
  ProcessSnapshot snapshot = state.next_snapshot;
  state.next_snapshot += 4;
  state.snapshots[snapshot] = state.processes;
  return snapshot;
}

bool FirstProcess(ProcessSnapshot snapshot, ProcessEntry* entry) {
  return fake::EntryAfter(snapshot, 0, true, entry);
}

bool NextProcess(ProcessSnapshot snapshot, ProcessEntry* entry) {
  return fake::EntryAfter(snapshot, entry->id, false, entry);
}

void CloseProcessSnapshot(ProcessSnapshot snapshot) { fake::State().snapshots.erase(snapshot); }

// Asks the live list, not the snapshot: a process that ended since the
// snapshot cannot be queried, as on Windows.
bool ProcessImagePath(std::uint32_t process_id, char* path) {
  auto& state = fake::State();
  ++state.path_queries;
  auto it = state.processes.find(process_id);
  if (it == state.processes.end() || !it->second.readable) return false;
  if (it->second.image_path.size() >= kPathBuffer) return false;
  std::strcpy(path, it->second.image_path.c_str());
  return true;
}

bool ExecutableType(const char* path, std::uint32_t* type) {
  std::optional<std::string> content = fake::Files().ReadFile(path);
  if (!content) return false;
  if (*content == fake::kProgram64) {
    *type = kScs64BitBinary;
  } else if (*content == fake::kProgram32 || content->compare(0, 2, "MZ") == 0) {
    *type = kScs32BitBinary;
  } else {
    return false;
  }
  return true;
}

bool RunsOn64BitWindows() { return fake::State().windows_64; }

}  // namespace pelmora::port
