#include "runtime/text/text.h"

#include <cmath>
#include <cstring>

#include "runtime/system/fatal_report.h"
#include "runtime/text/memory.h"

namespace pelmora {
namespace {

using Byte = unsigned char;

constexpr Byte kSpace = 0x20;
constexpr Byte kFullWidthSpaceByte = 0xA1;

inline Byte At(const char* bytes, std::int64_t offset) { return static_cast<Byte>(bytes[offset]); }

inline bool IsLeadByte(Byte b) { return b >= 0x80; }

// Only the ASCII capitals fold; GBK second bytes in 'A'..'Z' fold as well,
// which is what the workflow's product matching has always relied on.
inline Byte FoldCase(Byte b) { return (b >= 'A' && b <= 'Z') ? static_cast<Byte>(b + 32) : b; }

// Whether `text` begins with the `n` bytes of `prefix`, without letter case;
// a text that ends first does not.
bool MatchesIgnoringCase(const char* text, const char* prefix, std::int64_t n,
                         LeadByteTest lead_byte) {
  bool second_byte = false;
  for (std::int64_t i = 0; i < n; ++i) {
    const Byte a = At(text, i);
    const Byte b = At(prefix, i);
    if (a == 0) return false;
    if (second_byte ? a != b : FoldCase(a) != FoldCase(b)) return false;
    second_byte = lead_byte != nullptr && !second_byte && lead_byte(static_cast<char>(b));
  }
  return true;
}

bool BytesMatch(const char* at, const char* subtext, std::int64_t n, LetterCase letters) {
  if (letters == LetterCase::kExact) return std::memcmp(at, subtext, static_cast<std::size_t>(n)) == 0;
  return MatchesIgnoringCase(at, subtext, n, nullptr);
}

// A 1-based start position as a 0-based offset, never negative. Computed in
// 64 bits so that the most negative position cannot overflow.
std::int64_t StartOffset(std::int32_t position) {
  std::int64_t s = static_cast<std::int64_t>(position) - 1;
  return s < 0 ? 0 : s;
}

std::int32_t CheckedBlockSize(std::int64_t size) {
  if (size > INT32_MAX) ReportOutOfMemory(INT32_MAX);
  return static_cast<std::int32_t>(size);
}

// The growing output of ReplaceSubtext. Its block comes from AllocateMemory
// so that running out of memory is the same fatal report as everywhere.
class OutputBuffer {
 public:
  OutputBuffer() = default;
  ~OutputBuffer() { ReleaseMemory(block_); }
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  void Append(const char* bytes, std::int64_t count) {
    if (count <= 0) return;
    Reserve(size_ + count);
    std::memcpy(block_ + size_, bytes, static_cast<std::size_t>(count));
    size_ += count;
  }

  // The output as a text; the empty output is the null text.
  Text Finish() {
    if (size_ == 0) return Text();
    Reserve(size_);
    block_[size_] = '\0';
    char* done = block_;
    block_ = nullptr;
    size_ = capacity_ = 0;
    return Text::Adopt(done);
  }

 private:
  // Room for `needed` bytes and the NUL.
  void Reserve(std::int64_t needed) {
    if (needed + 1 <= capacity_) return;
    std::int64_t capacity = capacity_ < 64 ? 64 : capacity_ * 2;
    if (capacity < needed + 1) capacity = needed + 1;
    if (capacity > INT32_MAX) capacity = needed + 1;
    block_ = static_cast<char*>(ResizeMemory(block_, CheckedBlockSize(capacity)));
    capacity_ = capacity;
  }

  char* block_ = nullptr;
  std::int64_t size_ = 0;
  std::int64_t capacity_ = 0;
};

// The search shared by FindText and FindTextFromEnd. Both walk forwards
// character by character; the backwards search keeps the last match and
// only differs in which window it walks.
std::int32_t Search(TextView text, TextView subtext, std::optional<std::int32_t> start,
                    LetterCase letters, bool from_end) {
  const char* t = text.c_str();
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  const std::int64_t n = static_cast<std::int64_t>(subtext.size());

  std::int64_t s;
  if (start) {
    s = StartOffset(*start);
  } else {
    s = from_end ? length : 0;
  }

  std::int64_t window_start = 0;
  std::int64_t window_length = 0;
  if (from_end) {
    window_length = s <= 0 ? 0 : (s < length ? s : length);
  } else if (s <= 0) {
    window_length = length;
  } else if (s < length) {
    window_start = s;
    window_length = length - s;
  }

  if (n == 0) return window_length > 0 ? 1 : -1;

  std::int64_t offset = window_start;
  std::int64_t remaining = window_length;
  std::int32_t best = -1;
  while (remaining >= n) {
    if (BytesMatch(t + offset, subtext.c_str(), n, letters)) {
      if (!from_end) return static_cast<std::int32_t>(offset + 1);
      best = static_cast<std::int32_t>(offset + 1);
    }
    if (IsLeadByte(At(t, offset))) {
      // A lead byte with nothing after it cannot start a character.
      if (At(t, offset + 1) == 0) return best;
      offset += 2;
      remaining -= 2;
    } else {
      offset += 1;
      remaining -= 1;
    }
  }
  return best;
}

}  // namespace

Text JoinTexts(std::initializer_list<TextView> parts) {
  std::int64_t total = 0;
  for (TextView part : parts) total += static_cast<std::int64_t>(part.size());
  // Unlike every other text result, an empty join is still a block.
  auto* block = static_cast<char*>(AllocateMemory(CheckedBlockSize(total + 1)));
  char* end = block;
  for (TextView part : parts) {
    std::size_t size = part.size();
    std::memcpy(end, part.c_str(), size);
    end += size;
  }
  *end = '\0';
  return Text::Adopt(block);
}

int CompareTexts(TextView a, TextView b) {
  const char* p = a.c_str();
  const char* q = b.c_str();
  for (;; ++p, ++q) {
    Byte x = static_cast<Byte>(*p);
    Byte y = static_cast<Byte>(*q);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

std::int32_t TruncateToInteger(double number) {
  // Out of range and NaN give the x87 "integer indefinite" value, which is
  // what the conversion the workflow was written against produced.
  if (!(number > -2147483649.0 && number < 2147483648.0)) return INT32_MIN;
  return static_cast<std::int32_t>(std::trunc(number));
}

std::int32_t TextLength(TextView text) { return static_cast<std::int32_t>(text.size()); }

bool StartsWithIgnoringCase(TextView text, TextView prefix, LeadByteTest lead_byte) {
  return MatchesIgnoringCase(text.c_str(), prefix.c_str(),
                             static_cast<std::int64_t>(prefix.size()), lead_byte);
}

bool SameTextIgnoringCase(TextView a, TextView b, LeadByteTest lead_byte) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b, lead_byte);
}

Text LeftText(TextView text, std::int32_t count) {
  if (count <= 0) return Text();
  std::size_t length = text.size();
  std::size_t take = static_cast<std::size_t>(count) < length ? static_cast<std::size_t>(count)
                                                              : length;
  return Text::FromBytes(text.c_str(), take);
}

std::int32_t FindText(TextView text, TextView subtext, std::optional<std::int32_t> start,
                      LetterCase letters) {
  return Search(text, subtext, start, letters, /*from_end=*/false);
}

std::int32_t FindTextFromEnd(TextView text, TextView subtext, std::optional<std::int32_t> start,
                             LetterCase letters) {
  return Search(text, subtext, start, letters, /*from_end=*/true);
}

Text TrimBlanks(TextView text) {
  const char* t = text.c_str();

  std::int64_t begin = 0;
  for (;;) {
    if (At(t, begin) == kSpace) {
      begin += 1;
    } else if (At(t, begin) == kFullWidthSpaceByte && At(t, begin + 1) == kFullWidthSpaceByte) {
      begin += 2;
    } else {
      break;
    }
  }

  std::int64_t offset = begin;
  std::int64_t run_start = -1;  // where the current run of blanks began
  std::int64_t end = -1;
  while (At(t, offset) != 0) {
    Byte b = At(t, offset);
    if (b == kSpace) {
      if (run_start < 0) run_start = offset;
      offset += 1;
    } else if (b == kFullWidthSpaceByte && At(t, offset + 1) == kFullWidthSpaceByte) {
      if (run_start < 0) run_start = offset;
      offset += 2;
    } else if (IsLeadByte(b)) {
      if (At(t, offset + 1) == 0) {
        // A lead byte without its follower is cut off; the blanks before
        // it are no longer at the end of a whole text and stay.
        end = offset;
        break;
      }
      run_start = -1;
      offset += 2;
    } else {
      run_start = -1;
      offset += 1;
    }
  }
  if (end < 0) end = run_start >= 0 ? run_start : offset;
  return Text::FromBytes(t + begin, static_cast<std::size_t>(end - begin));
}

Text ReplaceSubtext(TextView text, TextView subtext, std::optional<TextView> replacement,
                    std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                    LetterCase letters) {
  const char* t = text.c_str();
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  const std::int64_t n = static_cast<std::int64_t>(subtext.size());
  const TextView with = replacement ? *replacement : TextView();
  const std::int64_t m = static_cast<std::int64_t>(with.size());
  const std::int64_t s = start ? StartOffset(*start) : 0;
  // A given negative count counts down without ever reaching 0, so it
  // behaves as no limit at all.
  const bool limited = count.has_value() && *count >= 0;
  std::int64_t left = limited ? *count : 0;

  if (length == 0 || n == 0 || s >= length || (limited && left == 0)) return Text::From(text);

  OutputBuffer out;
  out.Append(t, s);
  std::int64_t offset = s;
  std::int64_t remaining = length - s;
  while (remaining >= n) {
    if (BytesMatch(t + offset, subtext.c_str(), n, letters)) {
      out.Append(with.c_str(), m);
      offset += n;
      remaining -= n;
      if (limited && --left == 0) break;
      continue;
    }
    Byte b = At(t, offset);
    if (IsLeadByte(b)) {
      if (At(t, offset + 1) == 0) {
        // A lone lead byte at the very end is dropped.
        offset = length;
        remaining = 0;
        break;
      }
      out.Append(t + offset, 2);
      offset += 2;
      remaining -= 2;
    } else {
      out.Append(t + offset, 1);
      offset += 1;
      remaining -= 1;
    }
  }
  out.Append(t + offset, length - offset);
  return out.Finish();
}

Text SpaceText(std::int32_t count) {
  if (count <= 0) return Text();
  auto* block = static_cast<char*>(
      AllocateMemory(CheckedBlockSize(static_cast<std::int64_t>(count) + 1)));
  std::memset(block, kSpace, static_cast<std::size_t>(count));
  block[count] = '\0';
  return Text::Adopt(block);
}

}  // namespace pelmora
