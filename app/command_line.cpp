#include "app/command_line.h"

#include <string>

#include "runtime/text/text.h"

namespace pelmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

RequestedRun SwitchRun(const std::string& argument) {
  if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) return RequestedRun::kWindow;
  if (SameTextIgnoringCase(argument.c_str() + 1, "remove")) return RequestedRun::kRemovePanel;
  if (SameTextIgnoringCase(argument.c_str() + 1, "check")) return RequestedRun::kCheckPanel;
  return RequestedRun::kWindow;
}

}  // namespace

RequestedRun RunAskedFor(TextView arguments) {
  const char* p = arguments.c_str();
  while (*p != '\0') {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') break;
    std::string argument;
    bool quoted = false;
    for (; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
      if (*p == '"') {
        quoted = !quoted;
      } else {
        argument += *p;
      }
    }
    RequestedRun run = SwitchRun(argument);
    if (run != RequestedRun::kWindow) return run;
  }
  return RequestedRun::kWindow;
}

}  // namespace pelmora
