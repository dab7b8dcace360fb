// Text operations on GBK texts. Lengths and positions count bytes,
// positions are 1-based, and -1 means "not found". A byte of 0x80 or above
// starts a double-byte character, which the searching, trimming and
// replacing operations step over as one unit.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "runtime/values.h"

namespace pelmora {

// Inline helpers of the workflow code.
std::int32_t TextLengthOrZero(TextView text);
// Always a block, even when every part is empty.
Text JoinTexts(std::initializer_list<TextView> parts);
// -1, 0 or 1 by unsigned bytes; null counts as empty.
int CompareTexts(TextView a, TextView b);
std::int32_t TruncateToInteger(double number);

// Text commands.
std::int32_t TextLength(TextView text);
Text LeftText(TextView text, std::int32_t count);
// `ignore_case` folds A to Z only.
std::int32_t FindText(TextView text, TextView subtext, std::optional<std::int32_t> start,
                      bool ignore_case);
std::int32_t FindTextFromEnd(TextView text, TextView subtext, std::optional<std::int32_t> start,
                             bool ignore_case);
// Blanks are the space and the full-width space 0xA1 0xA1.
Text TrimBlanks(TextView text);
// Note the sense: `case_sensitive` true compares exactly; false ignores case.
Text ReplaceSubtext(TextView text, TextView subtext, std::optional<TextView> replacement,
                    std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                    bool case_sensitive);
Text SpaceText(std::int32_t count);

}  // namespace pelmora
