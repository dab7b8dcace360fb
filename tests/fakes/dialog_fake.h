// Host stand-in for message boxes, process launch and the shell: records
// every call and answers boxes from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace pelmora::fake {

struct ShownBox {
  std::uintptr_t owner;
  std::string text;   // every part's bytes, as given
  std::string title;  // GBK
  std::uint32_t style;
  // The parts of `text` in the system's code page rather than GBK.
  std::vector<std::string> system_parts;
};

struct StartedProcess {
  std::string application;  // "" when the command line names the program
  std::string command_line;
  int show_window;
  bool wait_for_end;
};

class FakeDialogs {
 public:
  std::vector<ShownBox> boxes;
  // Platform results (IDOK = 1 ...) for the next boxes; 1 when empty.
  std::deque<int> results;
  std::vector<StartedProcess> processes;
  // Creation fails with this code when not 0.
  std::uint32_t process_error = 0;
  std::vector<std::string> opened;
  void Clear() { *this = FakeDialogs(); }
};
FakeDialogs& Dialogs();

}  // namespace pelmora::fake
