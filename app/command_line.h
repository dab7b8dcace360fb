// What the program's command line asks for. Switches start with "/" or
// "-", in any case, in any order; arguments are separated by blanks, and
// double quotes group and are dropped. Anything the program does not
// understand makes the whole line invalid: in a deployment a mistyped
// switch must not open a window that nobody answers.
#pragma once

#include <optional>
#include <string>

#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

enum class RequestedRun {
  kEmbed,        // the window, or with /quiet the embedding alone
  kRemovePanel,  // /remove
  kCheckPanel,   // /check
  kUsage,        // /? or /help
};

struct CommandLine {
  // The first of /remove and /check on the line counts; /? and /help win
  // over both.
  RequestedRun run = RequestedRun::kEmbed;
  bool quiet = false;      // /quiet
  // /allusers: every WPS on the machine, whoever installed it. Only with
  // /quiet, /remove or /check; the window asks one person at one account's
  // screen.
  bool all_users = false;
  std::string log_file;    // /log FILE; empty when not given
  // The first argument that is not understood, as given; "/log" when it
  // lacks its file. Nothing is done for an invalid line.
  std::optional<std::string> invalid;
  // /allusers without a run it belongs to: as invalid as an unknown switch.
  bool all_users_alone = false;
};

// The switches as the usage box lists them, with what each does. The README
// and the user guide repeat this table; a test holds them to it.
struct SwitchMeaning {
  const char* usage;
  const char* meaning;
};
inline constexpr SwitchMeaning kSwitchMeanings[] = {
    {"（无参数）", "显示窗口，嵌入MathType面板"},
    {"/remove", "从WPS移除MathType面板"},
    {"/check", "检查嵌入状态"},
    {"/quiet", "无人值守：不显示任何窗口和提示；单独使用时直接嵌入"},
    {"/allusers", "与 /quiet、/remove 或 /check 一起使用：本机所有帐户的WPS"},
    {"/log 文件", "把运行记录追加到文件（UTF-8）"},
    {"/? 或 /help", "显示本说明"},
};

// The usage box's text, from the two tables.
[[nodiscard]] BoxText UsageText();

// The arguments are the command line after the program's name.
[[nodiscard]] CommandLine ReadCommandLine(TextView arguments);

}  // namespace pelmora
