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
  std::string text;   // GBK, as the platform would receive it
  std::string title;  // GBK
  std::uint32_t style;
};

struct StartedProcess {
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
