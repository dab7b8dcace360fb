// A file's whole content for tests to compare, read as the build's tools
// read their inputs; no value when it cannot be read, so that a missing
// file never passes for an empty one.
#pragma once

#include <optional>
#include <string>

#include "tools/read_whole_file.h"

namespace pelmora::testing {

inline std::optional<std::string> WholeFile(const std::string& path) {
  std::string bytes;
  if (!tools::ReadWholeFile(path, &bytes)) return std::nullopt;
  return bytes;
}

}  // namespace pelmora::testing
