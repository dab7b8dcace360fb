#include "fakes/dialog_fake.h"

#include "runtime/window/dialog_port.h"

namespace pelmora {
namespace fake {

FakeDialogs& Dialogs() {
  static FakeDialogs dialogs;
  return dialogs;
}

}  // namespace fake

namespace port {

int ShowBox(std::uintptr_t owner, const BoxText& text, const char* gbk_title,
            std::uint32_t style) {
  fake::FakeDialogs& d = fake::Dialogs();
  std::string bytes;
  std::vector<std::string> system_parts;
  for (const BoxText::Part& part : text.parts()) {
    bytes += part.bytes;
    if (part.code_page == BoxText::CodePage::kSystem) system_parts.push_back(part.bytes);
  }
  d.boxes.push_back({owner, bytes, gbk_title, style, system_parts});
  if (d.results.empty()) return 1;
  const int result = d.results.front();
  d.results.pop_front();
  return result;
}

bool StartProcess(const char* application, const char* command_line, int show_window,
                  bool wait_for_end, std::uint32_t* error) {
  fake::FakeDialogs& d = fake::Dialogs();
  if (d.process_error != 0) {
    *error = d.process_error;
    return false;
  }
  d.processes.push_back(
      {application != nullptr ? application : "", command_line, show_window, wait_for_end});
  return true;
}

void OpenWithShell(const char* address) { fake::Dialogs().opened.push_back(address); }

}  // namespace port
}  // namespace pelmora
