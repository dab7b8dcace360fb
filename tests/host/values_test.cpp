#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "fakes/heap_fake.h"
#include "runtime/text/memory.h"
#include "runtime/text/values.h"

namespace pelmora {
namespace {

std::int32_t Int32At(const void* block, std::size_t offset) {
  std::int32_t v;
  std::memcpy(&v, static_cast<const unsigned char*>(block) + offset, 4);
  return v;
}

// ---- Text ownership --------------------------------------------------------

TEST(TextValue, EmptyBytesAreTheNullText) {
  Text empty = Text::FromBytes("abc", 0);
  EXPECT_TRUE(empty.is_null());
  EXPECT_STREQ(empty.c_str(), "");
  EXPECT_EQ(empty.size(), 0u);
  EXPECT_TRUE(Text::From("").is_null());
  EXPECT_STREQ(TextView(nullptr).c_str(), "");
  EXPECT_TRUE(TextView(nullptr).empty());
}

TEST(TextValue, CopiesOwnSeparateBlocks) {
  long before = fake::g_live_blocks;
  {
    Text a = Text::From("执行");
    Text b = a;
    EXPECT_NE(a.c_str(), b.c_str());
    EXPECT_TRUE(b == TextView("执行"));
    Text c = Text::From("old");
    c = a;  // the old block goes, a new one comes
    EXPECT_NE(c.c_str(), a.c_str());
    EXPECT_TRUE(c == a);
    Text& self = c;
    c = self;
    EXPECT_TRUE(c == TextView("执行"));
    Text null_text;
    c = null_text;
    EXPECT_TRUE(c.is_null());
    EXPECT_EQ(fake::g_live_blocks, before + 2);
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

TEST(TextValue, MovesHandOverTheBlock) {
  long before = fake::g_live_blocks;
  {
    Text a = Text::From("abc");
    const char* block = a.c_str();
    Text b = std::move(a);
    EXPECT_EQ(b.c_str(), block);
    EXPECT_TRUE(a.is_null());  // NOLINT: the moved-from state is specified
    Text c = Text::From("xyz");
    c = std::move(b);
    EXPECT_EQ(c.c_str(), block);
    EXPECT_TRUE(b.is_null());  // NOLINT
    Text& self = c;
    c = std::move(self);
    EXPECT_EQ(c.c_str(), block);
    char* released = c.release();
    EXPECT_TRUE(c.is_null());
    Text adopted = Text::Adopt(released);
    EXPECT_STREQ(adopted.c_str(), "abc");
    EXPECT_EQ(fake::g_live_blocks, before + 1);
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

TEST(TextValue, EqualityComparesBytes) {
  Text null_text;
  EXPECT_TRUE(null_text == TextView(""));
  EXPECT_TRUE(Text::From("\xB0\xA1") == TextView("\xB0\xA1"));
  EXPECT_TRUE(Text::From("a") != TextView("A"));
}

// ---- ByteSet ---------------------------------------------------------------

TEST(ByteSetValue, BlockIsOneCountThenBytes) {
  const unsigned char payload[] = {'M', 'Z', 0, 0xFF};
  ByteSet set = ByteSet::FromBytes(payload, sizeof payload);
  ByteSetView view = set;
  ASSERT_NE(view.block(), nullptr);
  EXPECT_EQ(Int32At(view.block(), 0), 1);
  EXPECT_EQ(Int32At(view.block(), 4), 4);
  EXPECT_EQ(view.count(), 4);
  EXPECT_EQ(view.bytes(), static_cast<const unsigned char*>(view.block()) + 8);
  EXPECT_EQ(std::memcmp(view.bytes(), payload, 4), 0);
}

TEST(ByteSetValue, EmptyAndNullForms) {
  ByteSet empty = ByteSet::FromBytes(nullptr, 0);
  EXPECT_EQ(Int32At(empty.view().block(), 0), 1);
  EXPECT_EQ(empty.view().count(), 0);
  ByteSetView null_view;
  EXPECT_EQ(null_view.count(), 0);
  EXPECT_EQ(null_view.bytes(), nullptr);
}

TEST(ByteSetValue, ReadsAConstantBlockInPlace) {
  alignas(4) static const unsigned char kConstant[] = {1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
  ByteSetView view(kConstant);
  EXPECT_EQ(view.count(), 3);
  EXPECT_EQ(view.bytes()[2], 'c');
}

TEST(ByteSetValue, MoveLeavesOneOwner) {
  long before = fake::g_live_blocks;
  {
    ByteSet a = ByteSet::FromBytes("xy", 2);
    const void* block = a.view().block();
    ByteSet b = std::move(a);
    EXPECT_EQ(b.view().block(), block);
    EXPECT_EQ(a.view().block(), nullptr);  // NOLINT
    ByteSet c = ByteSet::FromBytes("z", 1);
    c = std::move(b);
    EXPECT_EQ(c.view().block(), block);
    EXPECT_EQ(fake::g_live_blocks, before + 1);
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

// ---- TextArray ---------------------------------------------------------------

constexpr FaultLocation kHere{0x0301, 12};

TEST(TextArrayValue, FreshListIsOneDimensionOfZero) {
  TextArray list;
  ASSERT_NE(list.block(), nullptr);
  EXPECT_EQ(Int32At(list.block(), 0), 1);
  EXPECT_EQ(Int32At(list.block(), 4), 0);
  EXPECT_EQ(list.ElementCount(), 0);
}

TEST(TextArrayValue, AppendedTextsReadBackByOneBasedIndex) {
  long before = fake::g_live_blocks;
  {
    TextArray list;
    list.Append(Text::From("11.1.0.1"));
    list.Append(Text());
    list.Append(Text::From("11.1.0.10"));
    EXPECT_EQ(list.ElementCount(), 3);
    EXPECT_EQ(Int32At(list.block(), 0), 1);
    EXPECT_EQ(Int32At(list.block(), 4), 3);
    EXPECT_STREQ(list.At(1, kHere).c_str(), "11.1.0.1");
    EXPECT_STREQ(list.At(2, kHere).c_str(), "");
    EXPECT_STREQ(list.At(3, kHere).c_str(), "11.1.0.10");
    TextArray moved = std::move(list);
    EXPECT_EQ(moved.ElementCount(), 3);
    TextArray other;
    other = std::move(moved);
    EXPECT_STREQ(other.At(3, kHere).c_str(), "11.1.0.10");
  }
  EXPECT_EQ(fake::g_live_blocks, before);
}

TEST(TextArrayValue, AdoptingNullCountsNothingAndCanGrow) {
  TextArray list = TextArray::Adopt(nullptr);
  EXPECT_EQ(list.ElementCount(), 0);
  list.Append(Text::From("a"));
  EXPECT_EQ(list.ElementCount(), 1);
  EXPECT_EQ(Int32At(list.block(), 0), 1);
  EXPECT_STREQ(list.At(1, kHere).c_str(), "a");
}

TEST(TextArrayValue, AppendingToAConstantListCopiesItFirst) {
  // The list template and its one text both lie in the constant block.
  alignas(8) static unsigned char constants[8 + sizeof(char*) + 6];
  const std::int32_t header[2] = {1, 1};
  std::memcpy(constants, header, 8);
  char* element = reinterpret_cast<char*>(constants + 8 + sizeof(char*));
  std::memcpy(element, "const", 6);
  std::memcpy(constants + 8, &element, sizeof element);
  SetConstantBlock(constants, sizeof constants);
  long before = fake::g_live_blocks;
  {
    TextArray list = TextArray::Adopt(constants);
    list.Append(Text::From("heap"));
    EXPECT_NE(list.block(), static_cast<void*>(constants));
    EXPECT_EQ(Int32At(constants, 4), 1) << "the constant must stay as it was";
    EXPECT_EQ(list.ElementCount(), 2);
    EXPECT_STREQ(list.At(1, kHere).c_str(), "const");
    EXPECT_STREQ(list.At(2, kHere).c_str(), "heap");
  }
  EXPECT_EQ(fake::g_live_blocks, before);
  SetConstantBlock(nullptr, 0);
}

TEST(TextArrayValue, ElementCountMultipliesDimensions) {
  const std::int32_t two_by_three[] = {2, 2, 3};
  EXPECT_EQ(ElementCount(two_by_three), 6);
  const std::int32_t no_dimensions[] = {0, 5};
  EXPECT_EQ(ElementCount(no_dimensions), 0);
  EXPECT_EQ(ElementCount(nullptr), 0);
}

TEST(TextArrayDeathTest, IndexZeroIsErrorFour) {
  TextArray list;
  list.Append(Text::From("a"));
  EXPECT_EXIT(list.At(0, kHere), ::testing::ExitedWithCode(255),
              u8"错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n\r\n769, 12\r\n");
}

TEST(TextArrayDeathTest, MostNegativeIndexIsErrorFour) {
  TextArray list;
  EXPECT_EXIT(list.At(INT32_MIN, kHere), ::testing::ExitedWithCode(255), u8"错误代码：4\r\n");
}

TEST(TextArrayDeathTest, IndexPastTheEndIsErrorOne) {
  TextArray list;
  list.Append(Text::From("a"));
  list.Append(Text::From("b"));
  EXPECT_EXIT(list.At(3, kHere), ::testing::ExitedWithCode(255),
              u8"错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n\r\n769, 12\r\n");
}

TEST(TextArrayDeathTest, LastElementOfAnEmptyListIsErrorFour) {
  TextArray list;
  EXPECT_EXIT(list.At(list.ElementCount(), {0x0302, 3}), ::testing::ExitedWithCode(255),
              u8"错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n\r\n770, 3\r\n");
}

}  // namespace
}  // namespace pelmora
