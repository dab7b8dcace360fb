// Host stand-in for the process-level start-up steps, so the program's
// start routine can run on the host against the other fakes.
#pragma once

#include <string>

namespace pelmora::fake {

class FakeStartup {
 public:
  std::string executable = "C:\\Tools\\pelmora.exe";
  // The stored form description; a start without one has no window.
  std::string form;
  std::string current_folder;
  bool library_search_hardened = false;
  bool redirection_trust_enforced = false;
  void Clear() { *this = FakeStartup(); }
};
FakeStartup& Startup();

}  // namespace pelmora::fake
