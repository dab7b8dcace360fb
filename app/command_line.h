// What the program's command line asks for. Switches start with "/" or
// "-", in any case, in any order; arguments are separated by blanks, and
// double quotes group and are dropped. Anything the program does not
// understand makes the whole line invalid: in a deployment a mistyped
// switch must not open a window that nobody answers.
#pragma once

#include <optional>
#include <string>

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

// The arguments are the command line after the program's name.
[[nodiscard]] CommandLine ReadCommandLine(TextView arguments);

}  // namespace pelmora
