// libFuzzer target for the text operations. Input: three parameter bytes
// (flags, start, count), then text, subtext and replacement separated by
// NUL bytes. Every operation runs under ASan/UBSan; the properties below
// must hold for any input, and a violation traps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "runtime/text/text.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckResult(const pelmora::Text& t, std::size_t max_size) {
  if (t.is_null()) return;
  Check(t.size() > 0 && t.size() <= max_size);
}

bool IsBlankAt(const char* s) {
  return s[0] == ' ' || (static_cast<unsigned char>(s[0]) == 0xA1 &&
                         static_cast<unsigned char>(s[1]) == 0xA1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelmora;
  if (size < 3) return 0;
  const std::uint8_t flags = data[0];
  const std::int32_t start = static_cast<std::int8_t>(data[1]);
  const std::int32_t count = static_cast<std::int8_t>(data[2]);
  std::string parts[3];
  int part = 0;
  for (std::size_t i = 3; i < size; ++i) {
    if (data[i] == 0) {
      if (++part == 3) break;
      continue;
    }
    parts[part] += static_cast<char>(data[i]);
  }
  const std::string& text = parts[0];
  const std::string& sub = parts[1];
  const std::string& with = parts[2];
  const LetterCase search_letters = (flags & 1) ? LetterCase::kIgnore : LetterCase::kExact;
  const LetterCase replace_letters = (flags & 8) ? LetterCase::kExact : LetterCase::kIgnore;
  const auto opt_start = (flags & 2) ? std::optional<std::int32_t>(start) : std::nullopt;
  const auto opt_count = (flags & 4) ? std::optional<std::int32_t>(count) : std::nullopt;

  std::int32_t p = FindText(text.c_str(), sub.c_str(), opt_start, search_letters);
  Check(p == -1 || (p >= 1 && static_cast<std::size_t>(p) <= text.size() + (sub.empty() ? 0 : 1)));
  if (p != -1 && !sub.empty()) {
    Check(static_cast<std::size_t>(p - 1) + sub.size() <= text.size());
  }
  std::int32_t q = FindTextFromEnd(text.c_str(), sub.c_str(), opt_start, search_letters);
  Check(q == -1 || (q >= 1 && static_cast<std::size_t>(q) <= text.size()));
  if (!opt_start) Check((p == -1) == (q == -1) && (p == -1 || p <= q));

  Text trimmed = TrimBlanks(text.c_str());
  CheckResult(trimmed, text.size());
  if (!trimmed.is_null()) Check(!IsBlankAt(trimmed.c_str()));

  Text replaced = ReplaceSubtext(text.c_str(), sub.c_str(), TextView(with.c_str()), opt_start,
                                 opt_count, replace_letters);
  CheckResult(replaced, text.size() * (with.size() + 1) + 1);

  Text same = ReplaceSubtext(text.c_str(), sub.c_str(), TextView(sub.c_str()), opt_start,
                             opt_count, LetterCase::kExact);
  Check(same.size() == text.size() || same.size() + 1 == text.size());
  Check(std::memcmp(same.c_str(), text.c_str(), same.size()) == 0);

  Text left = LeftText(text.c_str(), count);
  CheckResult(left, text.size());
  Text joined = JoinTexts({text.c_str(), sub.c_str(), with.c_str()});
  Check(!joined.is_null() && joined.size() == text.size() + sub.size() + with.size());
  int c = CompareTexts(text.c_str(), sub.c_str());
  Check(c == -CompareTexts(sub.c_str(), text.c_str()));
  return 0;
}
