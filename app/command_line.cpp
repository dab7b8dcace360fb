#include "app/command_line.h"

#include <string>

namespace pelmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsRemovalSwitch(const std::string& argument) {
  if (argument.size() != 7 || (argument[0] != '/' && argument[0] != '-')) return false;
  std::string word;
  for (std::size_t i = 1; i < argument.size(); ++i) word += LowerAscii(argument[i]);
  return word == "remove";
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
