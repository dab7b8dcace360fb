#include "app/command_line.h"

#include <string>

#include "runtime/text.h"

namespace pelmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsRemovalSwitch(const std::string& argument) {
  if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) return false;
  return SameTextIgnoringCase(argument.c_str() + 1, "remove");
}

}  // namespace

bool AsksForPanelRemoval(TextView arguments) {
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
    if (IsRemovalSwitch(argument)) return true;
  }
  return false;
}

}  // namespace pelmora
