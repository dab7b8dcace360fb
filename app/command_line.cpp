#include "app/command_line.h"

#include <string>
#include <vector>

#include "app/exit_codes.h"
#include "app/messages.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> SplitArguments(TextView arguments) {
  std::vector<std::string> split;
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
    split.push_back(std::move(argument));
  }
  return split;
}

// The switch's name without its "/" or "-"; nothing for any other argument.
std::optional<std::string> SwitchName(const std::string& argument) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return std::nullopt;
  return argument.substr(1);
}

bool Is(const std::string& name, const char* expected) {
  return SameTextIgnoringCase(name.c_str(), expected);
}

}  // namespace

CommandLine ReadCommandLine(TextView arguments) {
  CommandLine line;
  bool usage = false;
  std::optional<RequestedRun> chosen;
  const std::vector<std::string> split = SplitArguments(arguments);
  for (std::size_t i = 0; i < split.size(); ++i) {
    const std::optional<std::string> name = SwitchName(split[i]);
    if (name && (Is(*name, "?") || Is(*name, "help"))) {
      usage = true;
    } else if (name && Is(*name, "quiet")) {
      line.quiet = true;
    } else if (name && Is(*name, "allusers")) {
      line.all_users = true;
    } else if (name && (Is(*name, "remove") || Is(*name, "check"))) {
      if (!chosen) chosen = Is(*name, "remove") ? RequestedRun::kRemovePanel : RequestedRun::kCheckPanel;
    } else if (name && Is(*name, "log")) {
      // A switch where the file should be means the file was left out.
      if (i + 1 >= split.size() || split[i + 1].empty() || split[i + 1][0] == '/') {
        if (!line.invalid) line.invalid = split[i];
        continue;
      }
      line.log_file = split[++i];
    } else if (!line.invalid) {
      line.invalid = split[i];
    }
  }
  line.run = usage ? RequestedRun::kUsage : chosen.value_or(RequestedRun::kEmbed);
  line.all_users_alone = line.all_users && !line.quiet && line.run == RequestedRun::kEmbed;
  return line;
}

BoxText UsageText() {
  BoxText switches;
  for (const SwitchMeaning& row : kSwitchMeanings) {
    switches.Append(BoxText::Fill(messages::kUsageLine, {row.usage, row.meaning})).AppendGbk("\r\n");
  }
  BoxText codes;
  for (const ExitCodeMeaning& row : kExitCodeMeanings) {
    if (!codes.empty()) codes.AppendGbk("\r\n");
    codes.Append(BoxText::Fill(messages::kUsageLine, {std::to_string(row.code).c_str(), row.meaning}));
  }
  return BoxText::Fill(messages::kUsage.text, {switches, codes});
}

}  // namespace pelmora
