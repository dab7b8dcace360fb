// Randomized checks of the text operations: many short byte strings drawn
// from an alphabet rich in the cases that matter (lead bytes, full-width
// space halves, letters of both cases, blanks), run under the sanitizers.
// The checks are properties that hold whatever the input, so a fault shows
// up either as a broken property or as an out-of-bounds access.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fakes/heap_fake.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr auto kOmitted = std::nullopt;
constexpr LetterCase kExact = LetterCase::kExact;
constexpr LetterCase kIgnore = LetterCase::kIgnore;

const unsigned char kAlphabet[] = {'a', 'a', 'A', 'b', 'B', 'z', '@', '`', ' ', ' ', '\t', '"', '\\',
                                   0xA1, 0xA1, 0xA1, 0xB0, 0x81, 0xC1, 0xE1, 0x41, 0x61, 0xFE};

class TextGenerator {
 public:
  explicit TextGenerator(unsigned seed) : rng_(seed) {}

  std::string Next(int max_length) {
    std::uniform_int_distribution<int> length_of(0, max_length);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::uniform_int_distribution<int> shape(0, 9);
    int length = length_of(rng_);
    std::string s;
    for (int i = 0; i < length; ++i) {
      switch (shape(rng_)) {
        case 0: s += "\xA1\xA1"; break;  // full-width space
        case 1: s += "\xB0\xA1"; break;  // a character ending in 0xA1
        default: s += static_cast<char>(kAlphabet[pick(rng_)]); break;
      }
    }
    return s;
  }

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Coin() { return Between(0, 1) == 1; }

 private:
  std::mt19937 rng_;
};

unsigned char Fold(unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + 32 : b; }

std::string FoldAll(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
  return out;
}

bool MatchesAt(const std::string& text, std::size_t offset, const std::string& sub,
               LetterCase letters) {
  if (offset + sub.size() > text.size()) return false;
  for (std::size_t i = 0; i < sub.size(); ++i) {
    unsigned char a = static_cast<unsigned char>(text[offset + i]);
    unsigned char b = static_cast<unsigned char>(sub[i]);
    if (letters == kIgnore ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

// Offsets where characters begin when reading from `from`.
std::vector<std::size_t> CharacterStarts(const std::string& text, std::size_t from) {
  std::vector<std::size_t> starts;
  for (std::size_t i = from; i < text.size();) {
    starts.push_back(i);
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  return starts;
}

bool EndsWithLoneLeadByte(const std::string& text) {
  auto starts = CharacterStarts(text, 0);
  return !starts.empty() && starts.back() == text.size() - 1 &&
         static_cast<unsigned char>(text.back()) >= 0x80;
}

bool IsBlankAt(const std::string& text, std::size_t offset) {
  return text[offset] == ' ' || text.compare(offset, 2, "\xA1\xA1") == 0;
}

// Every text result: the null text when empty, a NUL-terminated block of
// plausible size otherwise (ASan checks the reads themselves).
void ExpectWellFormed(const Text& result, std::size_t max_size) {
  if (!result.is_null()) {
    ASSERT_GT(result.size(), 0u) << "an empty result must be the null text";
    ASSERT_LE(result.size(), max_size);
  }
}

// Eight properties times this many inputs: about a million strings.
constexpr int kRounds = 120000;

TEST(TextRandom, FindTextReportsTheFirstWholeCharacterMatch) {
  TextGenerator gen(1);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(3);
    const LetterCase letters = gen.Coin() ? kIgnore : kExact;
    bool with_start = gen.Coin();
    int start = gen.Between(-2, 18);
    std::int32_t p = with_start ? FindText(text.c_str(), sub.c_str(), start, letters)
                                : FindText(text.c_str(), sub.c_str(), kOmitted, letters);
    std::size_t s = with_start && start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    SCOPED_TRACE("round " + std::to_string(round));
    if (sub.empty()) {
      ASSERT_EQ(p, s < text.size() ? 1 : -1);
      continue;
    }
    if (s >= text.size()) {
      ASSERT_EQ(p, -1);
      continue;
    }
    // Every character start before the result is no match; the result is one.
    bool found = false;
    for (std::size_t o : CharacterStarts(text, s)) {
      if (p != -1 && o == static_cast<std::size_t>(p - 1)) {
        ASSERT_TRUE(MatchesAt(text, o, sub, letters));
        found = true;
        break;
      }
      ASSERT_FALSE(MatchesAt(text, o, sub, letters)) << "missed a match at " << o;
    }
    if (p != -1) {
      ASSERT_TRUE(found) << "result inside a double-byte character";
    }
  }
}

TEST(TextRandom, FindTextFromEndAgreesWithTheForwardSearch) {
  TextGenerator gen(2);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(3);
    if (sub.empty()) continue;
    const LetterCase letters = gen.Coin() ? kIgnore : kExact;
    SCOPED_TRACE("round " + std::to_string(round));
    std::int32_t first = FindText(text.c_str(), sub.c_str(), kOmitted, letters);
    std::int32_t last = FindTextFromEnd(text.c_str(), sub.c_str(), kOmitted, letters);
    ASSERT_EQ(first == -1, last == -1);
    if (last == -1) continue;
    ASSERT_LE(first, last);
    ASSERT_TRUE(MatchesAt(text, static_cast<std::size_t>(last - 1), sub, letters));
    // The last match is a character start, so a forward search from there
    // lands on it, and nothing after it matches.
    ASSERT_EQ(FindText(text.c_str(), sub.c_str(), last, letters), last);
    if (static_cast<unsigned char>(text[last - 1]) < 0x80) {
      ASSERT_EQ(FindText(text.c_str(), sub.c_str(), last + 1, letters), -1);
    }
    // A limited window only sees matches wholly inside it.
    int k = gen.Between(-1, static_cast<int>(text.size()) + 2);
    std::int32_t limited = FindTextFromEnd(text.c_str(), sub.c_str(), k, letters);
    if (limited != -1) {
      ASSERT_LE(limited, last);
      ASSERT_LE(static_cast<std::size_t>(limited - 1) + sub.size(),
                static_cast<std::size_t>(k - 1));
    }
    if (k - 1 >= static_cast<int>(text.size())) {
      ASSERT_EQ(limited, last);
    }
  }
}

TEST(TextRandom, FoldingNeverLosesAnExactMatch) {
  TextGenerator gen(3);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(3);
    std::int32_t exact = FindText(text.c_str(), sub.c_str(), kOmitted, kExact);
    std::int32_t folded = FindText(text.c_str(), sub.c_str(), kOmitted, kIgnore);
    if (exact != -1) {
      ASSERT_NE(folded, -1);
      ASSERT_LE(folded, exact);
    }
    std::int32_t in_folded = FindText(FoldAll(text).c_str(), FoldAll(sub).c_str(), kOmitted, kExact);
    ASSERT_EQ(folded, in_folded) << "round " << round;
  }
}

TEST(TextRandom, TrimBlanksLeavesNoBlankAtEitherEnd) {
  TextGenerator gen(4);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    SCOPED_TRACE("round " + std::to_string(round));
    Text trimmed = TrimBlanks(text.c_str());
    ExpectWellFormed(trimmed, text.size());
    std::string r = trimmed.c_str();
    ASSERT_NE(text.find(r), std::string::npos);
    if (r.empty()) continue;
    ASSERT_FALSE(IsBlankAt(r, 0));
    if (EndsWithLoneLeadByte(text)) continue;  // blanks before the cut byte stay
    auto starts = CharacterStarts(r, 0);
    ASSERT_FALSE(IsBlankAt(r, starts.back())) << "trailing blank left";
    ASSERT_FALSE(EndsWithLoneLeadByte(r));
    ASSERT_EQ(std::string(TrimBlanks(r.c_str()).c_str()), r) << "not idempotent";
  }
}

TEST(TextRandom, ReplacingASubtextByItselfChangesNothing) {
  TextGenerator gen(5);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(3);
    SCOPED_TRACE("round " + std::to_string(round));
    const LetterCase letters = gen.Coin() ? kExact : kIgnore;
    Text same = ReplaceSubtext(text.c_str(), sub.c_str(), TextView(sub.c_str()), kOmitted,
                               kOmitted, letters);
    ExpectWellFormed(same, text.size());
    std::string r = same.c_str();
    std::string expected = text;
    // The walk drops a lone lead byte at the end when it steps over it;
    // where the walk's characters lie depends on the matches (a match
    // advances by the subtext's length), so only the shape is fixed here.
    if (!sub.empty() && r.size() + 1 == text.size()) {
      ASSERT_GE(static_cast<unsigned char>(text.back()), 0x80);
      expected.pop_back();
    }
    if (letters == kExact) {
      ASSERT_EQ(r, expected);
    } else {
      ASSERT_EQ(FoldAll(r), FoldAll(expected));
    }
  }
}

TEST(TextRandom, ReplacingOnceSplicesAtTheFirstMatch) {
  TextGenerator gen(6);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(3);
    std::string with = gen.Next(3);
    if (sub.empty() || text.empty()) continue;
    SCOPED_TRACE("round " + std::to_string(round));
    const LetterCase letters = gen.Coin() ? kExact : kIgnore;
    Text once = ReplaceSubtext(text.c_str(), sub.c_str(), TextView(with.c_str()), kOmitted, 1,
                               letters);
    ExpectWellFormed(once, text.size() + with.size());
    std::int32_t p = FindText(text.c_str(), sub.c_str(), kOmitted, letters);
    std::string r = once.c_str();
    if (p == -1) {
      ASSERT_TRUE(r == text || (EndsWithLoneLeadByte(text) && r + text.back() == text));
    } else {
      ASSERT_EQ(r, text.substr(0, p - 1) + with + text.substr(p - 1 + sub.size()));
    }
    // Replacing everything leaves no occurrence at a character start.
    Text all = ReplaceSubtext(text.c_str(), sub.c_str(), kOmitted, kOmitted, kOmitted, kExact);
    ExpectWellFormed(all, text.size());
    std::int32_t removed = static_cast<std::int32_t>(text.size() - all.size());
    ASSERT_GE(removed, 0);
    if (p != -1 && letters == kExact) {
      ASSERT_GE(removed, static_cast<std::int32_t>(sub.size()));
    }
  }
}

TEST(TextRandom, ReplaceKeepsTheBytesBeforeTheStart) {
  TextGenerator gen(7);
  for (int round = 0; round < kRounds; ++round) {
    std::string text = gen.Next(16);
    std::string sub = gen.Next(2);
    int start = gen.Between(-1, 18);
    int count = gen.Between(-2, 3);
    Text r = ReplaceSubtext(text.c_str(), sub.c_str(), TextView("#"), start, count, kIgnore);
    ExpectWellFormed(r, text.size() * 2 + 1);
    std::size_t kept = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    if (kept > text.size()) kept = text.size();
    ASSERT_EQ(std::string(r.c_str()).substr(0, kept), text.substr(0, kept)) << "round " << round;
    if (count == 0 || sub.empty() || kept >= text.size()) {
      ASSERT_EQ(std::string(r.c_str()), text) << "round " << round;
    }
  }
}

TEST(TextRandom, HelpersAgreeWithTheStandardLibrary) {
  TextGenerator gen(8);
  for (int round = 0; round < kRounds; ++round) {
    std::string a = gen.Next(6);
    std::string b = gen.Next(6);
    int c = CompareTexts(a.c_str(), b.c_str());
    int expected = a.compare(b);  // char_traits<char> compares bytes unsigned
    ASSERT_EQ(c, expected < 0 ? -1 : expected > 0 ? 1 : 0);
    ASSERT_EQ(CompareTexts(b.c_str(), a.c_str()), -c);

    Text joined = JoinTexts({a.c_str(), b.c_str()});
    ASSERT_FALSE(joined.is_null());
    ASSERT_EQ(std::string(joined.c_str()), a + b);

    int n = gen.Between(-2, 8);
    Text left = LeftText(a.c_str(), n);
    ExpectWellFormed(left, a.size());
    ASSERT_EQ(std::string(left.c_str()), a.substr(0, n > 0 ? static_cast<std::size_t>(n) : 0));
    ASSERT_EQ(TextLength(a.c_str()), static_cast<std::int32_t>(a.size()));
  }
  for (int n = -3; n <= 600; ++n) {
    Text spaces = SpaceText(n);
    ExpectWellFormed(spaces, 600);
    ASSERT_EQ(std::string(spaces.c_str()), std::string(n > 0 ? n : 0, ' '));
  }
}

TEST(TextRandom, NoBlockOutlivesItsText) {
  long before = fake::g_live_blocks;
  TextGenerator gen(9);
  for (int round = 0; round < 20000; ++round) {
    std::string text = gen.Next(40);
    Text a = ReplaceSubtext(text.c_str(), "a", TextView("\xA1\xA1\xA1\xA1"), kOmitted, kOmitted,
                            kIgnore);
    Text b = TrimBlanks(a);
    Text c = JoinTexts({a, b, text.c_str()});
    Text d = LeftText(c, gen.Between(-1, 50));
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

}  // namespace
}  // namespace pelmora
