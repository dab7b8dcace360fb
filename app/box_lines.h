// The pieces that several boxes and log lines are made of, each written
// once: a path followed by its reason, paths one per line, and the
// bitness of a pair.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/system/bitness.h"
#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// The path (from the system) and the reason filled into `reason_template`
// after it; the failure boxes use messages::kFailedReason.
[[nodiscard]] BoxText PathWithReason(TextView path, const BoxText& reason,
                                     const char* reason_template);

// Each path (from the system) on a line of its own: line breaks between
// the paths, or one before each path where the list follows a heading.
enum class LineBreaks { kBetween, kBeforeEach };
[[nodiscard]] BoxText PathsOnePerLine(const std::vector<Text>& paths, LineBreaks breaks);

// What the boxes and the log say for a failure's code: the system's text,
// or the program's own words for a folder that leads elsewhere.
[[nodiscard]] BoxText FailureReason(std::uint32_t error);

// "32位" or "64位".
[[nodiscard]] const char* BitnessLabel(ProgramBitness bitness);

}  // namespace pelmora
