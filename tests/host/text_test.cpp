#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "fakes/heap_fake.h"
#include "runtime/text/text.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define PELMORA_HAS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define PELMORA_HAS_ASAN 1
#endif
#endif

namespace pelmora {
namespace {

std::string Str(const Text& t) { return std::string(t.c_str()); }

// The text's block is exactly as large as it needs to be: the host heap
// records the size of every block it hands out. Under ASan the byte after
// the block is also seen to be poisoned, as a second witness.
void ExpectBlockSize(const Text& t, std::size_t size) {
  ASSERT_FALSE(t.is_null());
  EXPECT_EQ(fake::HeapBlockSize(t.c_str()), size);
#ifdef PELMORA_HAS_ASAN
  const char* block = t.c_str();
  EXPECT_EQ(__asan_region_is_poisoned(const_cast<char*>(block), size), nullptr);
  EXPECT_TRUE(__asan_address_is_poisoned(block + size));
#endif
}

constexpr auto kOmitted = std::nullopt;
constexpr LetterCase kExact = LetterCase::kExact;
constexpr LetterCase kIgnore = LetterCase::kIgnore;

// ---- inline helpers ------------------------------------------------------

TEST(JoinTexts, ConcatenatesInOrderIntoAnExactBlock) {
  Text joined = JoinTexts({"SOFTWARE\\", "Microsoft", "", "\\Uninstall"});
  EXPECT_EQ(Str(joined), "SOFTWARE\\Microsoft\\Uninstall");
  ExpectBlockSize(joined, joined.size() + 1);
}

TEST(JoinTexts, EmptyPartsStillGiveAOneByteBlock) {
  Text empty;
  Text joined = JoinTexts({empty, ""});
  EXPECT_FALSE(joined.is_null());
  EXPECT_EQ(joined.size(), 0u);
  ExpectBlockSize(joined, 1);
}

TEST(JoinTexts, KeepsDoubleByteCharactersWhole) {
  Text joined = JoinTexts({"\xB0", "\xA1", "执行进度："});
  EXPECT_EQ(Str(joined), std::string("\xB0\xA1") + "执行进度：");
}

TEST(CompareTexts, NullCountsAsEmpty) {
  Text null_text;
  EXPECT_EQ(CompareTexts(null_text, ""), 0);
  EXPECT_EQ(CompareTexts("", null_text), 0);
  EXPECT_EQ(CompareTexts("a", null_text), 1);
  EXPECT_EQ(CompareTexts(null_text, "a"), -1);
}

TEST(CompareTexts, ComparesBytesUnsignedUpToTheShorter) {
  EXPECT_EQ(CompareTexts("abc", "abc"), 0);
  EXPECT_EQ(CompareTexts("abc", "abd"), -1);
  EXPECT_EQ(CompareTexts("abc", "ab"), 1);
  EXPECT_EQ(CompareTexts("ab", "abc"), -1);
  // 0xB0 is above 'z' when bytes are unsigned; a signed compare gets this wrong.
  EXPECT_EQ(CompareTexts("\xB0\xA1", "z"), 1);
  EXPECT_EQ(CompareTexts("z", "\xB0\xA1"), -1);
  EXPECT_EQ(CompareTexts("\x80", "\x7F"), 1);
  // Case matters: 'A' < 'a'.
  EXPECT_EQ(CompareTexts("A", "a"), -1);
}

TEST(TextLength, CountsBytesAndNullIsZero) {
  Text null_text;
  EXPECT_EQ(TextLength(null_text), 0);
  EXPECT_EQ(TextLength("执行"), 4);
  EXPECT_EQ(TextLength("a\xB0\xA1"), 3);
  EXPECT_EQ(TextLength(""), 0);
}

TEST(TruncateToInteger, RoundsTowardZero) {
  EXPECT_EQ(TruncateToInteger(2.9), 2);
  EXPECT_EQ(TruncateToInteger(-2.9), -2);
  EXPECT_EQ(TruncateToInteger(-0.5), 0);
  EXPECT_EQ(TruncateToInteger(2147483647.9), 2147483647);
  EXPECT_EQ(TruncateToInteger(-2147483648.5), INT32_MIN);
  // Beyond the range: the indefinite integer rather than undefined behaviour.
  EXPECT_EQ(TruncateToInteger(1e12), INT32_MIN);
  EXPECT_EQ(TruncateToInteger(std::nan("")), INT32_MIN);
}

// ---- LeftText and SpaceText ----------------------------------------------

TEST(LeftText, TakesBytesAndClampsTheCount) {
  EXPECT_EQ(Str(LeftText("abcdef", 3)), "abc");
  EXPECT_EQ(Str(LeftText("abc", 99)), "abc");
  EXPECT_TRUE(LeftText("abc", 0).is_null());
  EXPECT_TRUE(LeftText("abc", -1).is_null());
  EXPECT_TRUE(LeftText("", 5).is_null());
  // Bytes, not characters: a double-byte character may be split.
  EXPECT_EQ(Str(LeftText("\xB0\xA1\xB0\xA1", 3)), "\xB0\xA1\xB0");
}

TEST(SpaceText, Makes255SpacesInA256ByteBlock) {
  Text spaces = SpaceText(255);
  ASSERT_EQ(spaces.size(), 255u);
  EXPECT_EQ(Str(spaces), std::string(255, ' '));
  ExpectBlockSize(spaces, 256);
}

TEST(SpaceText, NoSpacesIsTheNullText) {
  EXPECT_TRUE(SpaceText(0).is_null());
  EXPECT_TRUE(SpaceText(-5).is_null());
  EXPECT_EQ(Str(SpaceText(1)), " ");
}

// ---- FindText --------------------------------------------------------------

TEST(FindText, FindsTheFirstOccurrence) {
  EXPECT_EQ(FindText("abcabc", "bc", kOmitted, kExact), 2);
  EXPECT_EQ(FindText("abcabc", "abc", kOmitted, kExact), 1);
  EXPECT_EQ(FindText("abcabc", "cab", kOmitted, kExact), 3);
  EXPECT_EQ(FindText("abcabc", "x", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("ab", "abc", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("Uninstall\\{90150000-0011}.KB2", "}.KB", kOmitted, kExact), 25);
}

TEST(FindText, EmptySubtextIsOneUnlessTheWindowIsEmpty) {
  EXPECT_EQ(FindText("abc", "", kOmitted, kExact), 1);
  EXPECT_EQ(FindText("", "", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("abc", "", 3, kExact), 1);  // position 1, not 3
  EXPECT_EQ(FindText("abc", "", 4, kExact), -1);
}

TEST(FindText, StartPositionRules) {
  EXPECT_EQ(FindText("abcabc", "abc", 2, kExact), 4);
  EXPECT_EQ(FindText("abcabc", "abc", 4, kExact), 4);
  EXPECT_EQ(FindText("abcabc", "abc", 5, kExact), -1);
  EXPECT_EQ(FindText("abcabc", "abc", 0, kExact), 1);
  EXPECT_EQ(FindText("abcabc", "abc", -7, kExact), 1);
  EXPECT_EQ(FindText("abcabc", "abc", INT32_MIN, kExact), 1);
  EXPECT_EQ(FindText("abcabc", "c", 6, kExact), 6);
  EXPECT_EQ(FindText("abcabc", "c", 7, kExact), -1);
  EXPECT_EQ(FindText("abcabc", "c", INT32_MAX, kExact), -1);
}

TEST(FindText, NeverMatchesInsideADoubleByteCharacter) {
  EXPECT_EQ(FindText("\xB0\xA1", "\xA1", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("x\xB0\xA1\xB0\xA1", "\xA1", kOmitted, kExact), -1);
  // The pair's second byte is an ASCII letter in GBK: still not a match.
  EXPECT_EQ(FindText("\x81\x41", "A", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("\x81\x41" "A", "A", kOmitted, kExact), 3);
  // But a match may begin at a double-byte character.
  EXPECT_EQ(FindText("a\xB0\xA1", "\xB0\xA1", kOmitted, kExact), 2);
  EXPECT_EQ(FindText("开始将MathType", "MathType", kOmitted, kExact), 7);
}

TEST(FindText, StartInsideACharacterStepsFromThere) {
  // A start position counts bytes, so it may fall on a second byte; the
  // walk then takes that byte as the start of a character.
  EXPECT_EQ(FindText("\xB0\xA1", "\xA1", 2, kExact), 2);
}

TEST(FindText, LoneLeadByteAtTheEndIsComparedBeforeTheWalkStops) {
  EXPECT_EQ(FindText("ab\x81", "\x81", kOmitted, kExact), 3);
  EXPECT_EQ(FindText("a\x81", "a", kOmitted, kExact), 1);
  EXPECT_EQ(FindText("x\xB0\xA1\xA1", "\xA1", kOmitted, kExact), 4);
  EXPECT_EQ(FindText("ab\x81", "b\x81", kOmitted, kExact), 2);
}

TEST(FindText, IgnoreCaseFoldsAsciiLettersOnly) {
  EXPECT_EQ(FindText("wiris", "WIRIS", kOmitted, kIgnore), 1);
  EXPECT_EQ(FindText("Design Science / WIRIS", "wiris", kOmitted, kIgnore), 18);
  EXPECT_EQ(FindText("wiris", "WIRIS", kOmitted, kExact), -1);
  EXPECT_EQ(FindText("Kingsoft Corp", "kingsoft", kOmitted, kIgnore), 1);
  // Only A..Z fold: '@' (0x40) and '`' (0x60), '[' and '{' differ by 32 too.
  EXPECT_EQ(FindText("@", "`", kOmitted, kIgnore), -1);
  EXPECT_EQ(FindText("[", "{", kOmitted, kIgnore), -1);
  // Folding is byte by byte, second bytes of pairs included.
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", kOmitted, kIgnore), 1);
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", kOmitted, kExact), -1);
}

// ---- FindTextFromEnd -----------------------------------------------------

TEST(FindTextFromEnd, FindsTheLastOccurrence) {
  EXPECT_EQ(FindTextFromEnd("a\\b\\c", "\\", kOmitted, kExact), 4);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", kOmitted, kExact), 4);
  EXPECT_EQ(FindTextFromEnd("abcabc", "x", kOmitted, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("", "x", kOmitted, kExact), -1);
}

TEST(FindTextFromEnd, OverlappingOccurrencesCount) {
  EXPECT_EQ(FindTextFromEnd("aaa", "aa", kOmitted, kExact), 2);
  EXPECT_EQ(FindText("aaa", "aa", 2, kExact), 2);
}

TEST(FindTextFromEnd, EmptySubtextIsOneNotTheLength) {
  EXPECT_EQ(FindTextFromEnd("abc", "", kOmitted, kExact), 1);
  EXPECT_EQ(FindTextFromEnd("", "", kOmitted, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("abc", "", 1, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("abc", "", 2, kExact), 1);
}

TEST(FindTextFromEnd, StartLimitsTheSearchedPrefix) {
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 1, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 0, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", -3, kExact), -1);
  // Start k: only matches lying wholly in the first k - 1 bytes.
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 4, kExact), 1);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 6, kExact), 1);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 7, kExact), 4);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", 100, kExact), 4);
  EXPECT_EQ(FindTextFromEnd("abcabc", "abc", INT32_MAX, kExact), 4);
  EXPECT_EQ(FindTextFromEnd("abcabc", "a", 2, kExact), 1);
  EXPECT_EQ(FindTextFromEnd("abcabc", "b", 2, kExact), -1);
}

TEST(FindTextFromEnd, RespectsDoubleByteBoundaries) {
  EXPECT_EQ(FindTextFromEnd("\xB0\xA1", "\xA1", kOmitted, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("\xB0\xA1\xB0\xA1", "\xA1", kOmitted, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("\xA1\xB0\xA1\xB0", "\xA1", kOmitted, kExact), 3);
  EXPECT_EQ(FindTextFromEnd("\xA1\xB0\xA1\xB0", "\xB0", kOmitted, kExact), -1);
  EXPECT_EQ(FindTextFromEnd("\xA1" "a\xA1" "a", "\xA1" "a", kOmitted, kExact), 3);
  EXPECT_EQ(FindTextFromEnd("\\\xB0\xA1\\x", "\\", kOmitted, kExact), 4);
  // A window that ends after a lead byte still steps over the pair.
  EXPECT_EQ(FindTextFromEnd("a\xB0\xA1" "a", "a", 3, kExact), 1);
}

TEST(FindTextFromEnd, LoneLeadByteAtTheEndKeepsTheBestSoFar) {
  EXPECT_EQ(FindTextFromEnd("a a\x81", "a", kOmitted, kExact), 3);
  EXPECT_EQ(FindTextFromEnd("a\x81", "\x81", kOmitted, kExact), 2);
  EXPECT_EQ(FindTextFromEnd("\x81\x81\x81", "\x81", kOmitted, kExact), 3);
}

TEST(FindTextFromEnd, IgnoreCase) {
  EXPECT_EQ(FindTextFromEnd("WPS wps", "WPS", kOmitted, kIgnore), 5);
  EXPECT_EQ(FindTextFromEnd("WPS wps", "WPS", kOmitted, kExact), 1);
}

// ---- TrimBlanks ------------------------------------------------------------

TEST(TrimBlanks, RemovesSpacesAndFullWidthSpacesAtBothEnds) {
  EXPECT_EQ(Str(TrimBlanks("  ab  ")), "ab");
  EXPECT_EQ(Str(TrimBlanks("\xA1\xA1 a b\xA1\xA1 ")), "a b");
  EXPECT_EQ(Str(TrimBlanks(" \xA1\xA1 x")), "x");
  EXPECT_EQ(Str(TrimBlanks("x")), "x");
  EXPECT_EQ(Str(TrimBlanks("\"C:\\Program Files\\x.exe\" ")), "\"C:\\Program Files\\x.exe\"");
}

TEST(TrimBlanks, OnlyBlanksGiveTheNullText) {
  EXPECT_TRUE(TrimBlanks("   ").is_null());
  EXPECT_TRUE(TrimBlanks(" \xA1\xA1 \xA1\xA1").is_null());
  EXPECT_TRUE(TrimBlanks("").is_null());
}

TEST(TrimBlanks, TabsAndLineEndsAreNotBlanks) {
  EXPECT_EQ(Str(TrimBlanks("\tab\t")), "\tab\t");
  EXPECT_EQ(Str(TrimBlanks(" \r\n ")), "\r\n");
}

TEST(TrimBlanks, FullWidthSpaceMustBeAWholeCharacter) {
  // 0xB0 0xA1 followed by 0xA1 0x20: the 0xA1 pair straddles two
  // characters and is no full-width space.
  EXPECT_EQ(Str(TrimBlanks("\xB0\xA1\xA1\x20")), "\xB0\xA1\xA1\x20");
  // A trailing pair after a real character is trimmed.
  EXPECT_EQ(Str(TrimBlanks("\xB0\xA1\xA1\xA1")), "\xB0\xA1");
  // Half a full-width space is a character of its own.
  EXPECT_EQ(Str(TrimBlanks("\xA1\x41 ")), "\xA1\x41");
}

TEST(TrimBlanks, LoneLeadByteAtTheEndIsCutAndBlanksBeforeItStay) {
  EXPECT_EQ(Str(TrimBlanks("ab\x81")), "ab");
  EXPECT_EQ(Str(TrimBlanks(" ab \x81")), "ab ");
  EXPECT_EQ(Str(TrimBlanks("a\xA1\xA1\xA1")), "a\xA1\xA1");
  EXPECT_TRUE(TrimBlanks("\x81").is_null());
  EXPECT_TRUE(TrimBlanks("  \xA1").is_null());
}

// ---- ReplaceSubtext ------------------------------------------------------

TEST(ReplaceSubtext, ReplacesEveryOccurrenceByDefault) {
  EXPECT_EQ(Str(ReplaceSubtext("a.b.c", ".", TextView("::"), kOmitted, kOmitted, kExact)),
            "a::b::c");
  EXPECT_EQ(Str(ReplaceSubtext("aaaa", "aa", TextView("b"), kOmitted, kOmitted, kExact)), "bb");
  EXPECT_EQ(Str(ReplaceSubtext("aaa", "aa", TextView("b"), kOmitted, kOmitted, kExact)), "ba");
}

TEST(ReplaceSubtext, RemovesQuotesWithAnEmptyReplacement) {
  const char* command = "\"C:\\Program Files\\MathType\\Setup.exe\" -u";
  EXPECT_EQ(Str(ReplaceSubtext(command, "\"", TextView(""), kOmitted, kOmitted, kExact)),
            "C:\\Program Files\\MathType\\Setup.exe -u");
  EXPECT_EQ(Str(ReplaceSubtext(command, "\"", kOmitted, kOmitted, kOmitted, kExact)),
            "C:\\Program Files\\MathType\\Setup.exe -u");
  EXPECT_TRUE(ReplaceSubtext("\"\"", "\"", kOmitted, kOmitted, kOmitted, kExact).is_null());
}

TEST(ReplaceSubtext, CountLimitsReplacements) {
  EXPECT_EQ(Str(ReplaceSubtext("xaxax", "x", TextView("-"), kOmitted, 1, kExact)), "-axax");
  EXPECT_EQ(Str(ReplaceSubtext("xaxax", "x", TextView("-"), kOmitted, 2, kExact)), "-a-ax");
  EXPECT_EQ(Str(ReplaceSubtext("xaxax", "x", TextView("-"), kOmitted, 0, kExact)), "xaxax");
  // A negative count never counts down to 0: every occurrence goes.
  EXPECT_EQ(Str(ReplaceSubtext("xaxax", "x", TextView("-"), kOmitted, -1, kExact)), "-a-a-");
}

TEST(ReplaceSubtext, StartLeavesTheBytesBeforeItUntouched) {
  EXPECT_EQ(Str(ReplaceSubtext("xxxx", "x", TextView("y"), 3, kOmitted, kExact)), "xxyy");
  EXPECT_EQ(Str(ReplaceSubtext("xxxx", "x", TextView("y"), 0, kOmitted, kExact)), "yyyy");
  EXPECT_EQ(Str(ReplaceSubtext("xxxx", "x", TextView("y"), -9, kOmitted, kExact)), "yyyy");
  EXPECT_EQ(Str(ReplaceSubtext("xxxx", "x", TextView("y"), 5, kOmitted, kExact)), "xxxx");
  EXPECT_EQ(Str(ReplaceSubtext("xxxx", "x", TextView("y"), 3, 1, kExact)), "xxyx");
}

TEST(ReplaceSubtext, TheLastFlagMeansCaseSensitive) {
  const char* folder = "C:\\WPS\\Utility\\office6";
  EXPECT_EQ(Str(ReplaceSubtext(folder, "utility\\", TextView(""), kOmitted, kOmitted, kIgnore)),
            "C:\\WPS\\office6");
  EXPECT_EQ(Str(ReplaceSubtext(folder, "utility\\", TextView(""), kOmitted, kOmitted, kExact)),
            folder);
  // Ignoring case, the replacement goes in as given.
  EXPECT_EQ(Str(ReplaceSubtext("aBc", "B", TextView("x"), kOmitted, kOmitted, kIgnore)), "axc");
}

TEST(ReplaceSubtext, DegenerateArgumentsGiveACopy) {
  EXPECT_EQ(Str(ReplaceSubtext("abc", "", TextView("x"), kOmitted, kOmitted, kExact)), "abc");
  EXPECT_TRUE(ReplaceSubtext("", "a", TextView("x"), kOmitted, kOmitted, kExact).is_null());
  EXPECT_EQ(Str(ReplaceSubtext("abc", "abcd", TextView("x"), kOmitted, kOmitted, kExact)), "abc");
  // The copy keeps even a lone lead byte, since no walk took place.
  EXPECT_EQ(Str(ReplaceSubtext("ab\x81", "", TextView("x"), kOmitted, kOmitted, kExact)),
            "ab\x81");
}

TEST(ReplaceSubtext, StepsOverDoubleByteCharacters) {
  EXPECT_EQ(Str(ReplaceSubtext("\xB0\xA1\xA1", "\xA1", TextView("!"), kOmitted, kOmitted, kExact)),
            "\xB0\xA1!");
  EXPECT_EQ(Str(ReplaceSubtext("安装VBA安装", "安装", TextView("x"), kOmitted, kOmitted, kExact)),
            "xVBAx");
}

TEST(ReplaceSubtext, LoneLeadByteIsDroppedOnlyWhenTheWalkReachesIt) {
  EXPECT_EQ(Str(ReplaceSubtext("ab\x81", "b", TextView("B"), kOmitted, kOmitted, kExact)), "aB");
  EXPECT_TRUE(ReplaceSubtext("\x81", "x", TextView("y"), kOmitted, kOmitted, kExact).is_null());
  // With a two-byte subtext the walk ends before the last byte, which the
  // tail copy keeps.
  EXPECT_EQ(Str(ReplaceSubtext("ab\x81", "xy", TextView("z"), kOmitted, kOmitted, kExact)),
            "ab\x81");
  // After the count is used up the rest is copied as it is.
  EXPECT_EQ(Str(ReplaceSubtext("ab\x81", "a", TextView("z"), kOmitted, 1, kExact)), "zb\x81");
}

TEST(TextResults, EveryBlockIsReleased) {
  long before = fake::g_live_blocks;
  {
    Text a = JoinTexts({"a", "b"});
    Text b = ReplaceSubtext(std::string(1000, 'x').c_str(), "x", TextView("yy"), kOmitted,
                            kOmitted, kExact);
    Text c = TrimBlanks("  q  ");
    Text d = SpaceText(10);
    Text e = LeftText("abc", 2);
    EXPECT_EQ(b.size(), 2000u);
    EXPECT_EQ(fake::g_live_blocks, before + 5);
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

}  // namespace
}  // namespace pelmora
