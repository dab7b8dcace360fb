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
  std::string log_file;    // /log FILE; empty when not given
  // The first argument that is not understood, as given; "/log" when it
  // lacks its file. Nothing is done for an invalid line.
  std::optional<std::string> invalid;
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
    {"/log 文件", "把运行记录追加到文件（UTF-8）"},
    {"/? 或 /help", "显示本说明"},
};

// The usage box's text, from the two tables.
[[nodiscard]] BoxText UsageText();

// The arguments are the command line after the program's name.
[[nodiscard]] CommandLine ReadCommandLine(TextView arguments);

}  // namespace pelmora
