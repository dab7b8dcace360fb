// The host build's stand-in for what Windows says about programs: the
// running processes behind the process list port, and the bitness of
// program files and of Windows itself behind the bitness port.
#pragma once

#include <cstdint>
#include <string>

namespace pelmora::fake {

// Contents of fake program files (FakeFileSystem::AddFile) that the
// bitness port recognises; any other content is no program at all.
inline const char* const kProgram32 = "MZ PE32 i386 program";
inline const char* const kProgram64 = "MZ PE32+ x86-64 program";

class FakeProcessList {
 public:
  // A running process. `readable` false: querying its image path fails,
  // as for an elevated process of another user.
  void Start(const std::string& image_path, bool readable = true);
  // Ends every process started from that image path (ignoring case).
  void End(const std::string& image_path);
  // Taking the snapshot fails.
  void FailSnapshots();
  // Snapshots open now, and image paths queried since the last Clear.
  int open_snapshots() const;
  int path_queries() const;
};
FakeProcessList& Processes();

// The Windows the program runs on: 32-bit by default.
void SetWindows64(bool is_64_bit);

// The session: 2026-12-08 09:05:03, account "tester", no other run.
void SetLocalTime(int year, int month, int day, int hour, int minute, int second);
void SetAccountName(const std::string& name);
// The program runs as LocalSystem (false by default).
void SetLocalSystem(bool is_local_system);
// Another process of the program holds the machine-wide run lock.
void SetAnotherRunUnderWay(bool under_way);
// Machine-wide locks open now, and the name of the last one made.
int open_mutexes();
std::string last_mutex_name();
// Whether the system offers private namespaces (Windows does, Wine 8 not).
void SetPrivateNamespaces(bool available);

// Clears the processes and the session, and makes Windows 32-bit again.
void ClearSystem();

}  // namespace pelmora::fake
