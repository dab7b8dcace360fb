// Text operations on GBK texts. Lengths and positions count bytes,
// positions are 1-based, and -1 means "not found". A byte of 0x80 or above
// starts a double-byte character, which the searching, trimming and
// replacing operations step over as one unit.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "runtime/text/values.h"

namespace pelmora {

// How the searching and replacing operations compare letters: exactly, or
// with A to Z folded to a to z (nothing else folds).
enum class LetterCase { kExact, kIgnore };

// Always a block, even when every part is empty.
[[nodiscard]] Text JoinTexts(std::initializer_list<TextView> parts);
// -1, 0 or 1 by unsigned bytes; null counts as empty.
[[nodiscard]] int CompareTexts(TextView a, TextView b);
[[nodiscard]] std::int32_t TruncateToInteger(double number);

// Bytes, not characters; the null text counts 0.
[[nodiscard]] std::int32_t TextLength(TextView text);
[[nodiscard]] Text LeftText(TextView text, std::int32_t count);
[[nodiscard]] std::int32_t FindText(TextView text, TextView subtext,
                                    std::optional<std::int32_t> start, LetterCase letters);
[[nodiscard]] std::int32_t FindTextFromEnd(TextView text, TextView subtext,
                                           std::optional<std::int32_t> start, LetterCase letters);
// Blanks are the space and the full-width space 0xA1 0xA1.
[[nodiscard]] Text TrimBlanks(TextView text);
[[nodiscard]] Text ReplaceSubtext(TextView text, TextView subtext,
                                  std::optional<TextView> replacement,
                                  std::optional<std::int32_t> start,
                                  std::optional<std::int32_t> count, LetterCase letters);
[[nodiscard]] Text SpaceText(std::int32_t count);

// The one comparison without letter case, for the searches above and for
// names and paths alike: only A to Z and a to z match each other. With no
// `lead_byte` every byte folds, a double-byte character's second byte too,
// as the searches always have. Paths and names from the system pass the
// system's own lead-byte test: each byte it accepts starts a character
// whose second byte is then compared exactly, since it may carry a letter's
// code without being one.
using LeadByteTest = bool (*)(char byte);
[[nodiscard]] bool StartsWithIgnoringCase(TextView text, TextView prefix,
                                          LeadByteTest lead_byte = nullptr);
[[nodiscard]] bool SameTextIgnoringCase(TextView a, TextView b, LeadByteTest lead_byte = nullptr);

}  // namespace pelmora
