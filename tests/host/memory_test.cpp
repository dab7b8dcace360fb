#include <gtest/gtest.h>

#include "fakes/heap_fake.h"
#include "runtime/text/memory.h"
#include "runtime/text/values.h"

namespace pelmora {
namespace {

// A stand-in for the program's read-only constants.
alignas(4) const unsigned char kConstants[] = {1, 0, 0, 0, 2, 0, 0, 0, 'a', 'b', 'c', 0,
                                               'x', 'y', 0,  0};

class ConstantBlockTest : public ::testing::Test {
 protected:
  void SetUp() override { SetConstantBlock(kConstants, sizeof kConstants); }
  void TearDown() override { SetConstantBlock(nullptr, 0); }
};

TEST_F(ConstantBlockTest, ReleasingAConstantOrNullTouchesNothing) {
  long before = fake::g_live_blocks;
  ReleaseMemory(const_cast<unsigned char*>(kConstants + 8));
  ReleaseMemory(nullptr);
  EXPECT_EQ(fake::g_live_blocks, before);
  EXPECT_EQ(kConstants[8], 'a');
}

TEST_F(ConstantBlockTest, ResizingAConstantCopiesOnlyUpToTheBlockEnd) {
  auto* constant = const_cast<unsigned char*>(kConstants + 12);  // 'x','y',0,0
  auto* copy = static_cast<unsigned char*>(ResizeMemory(constant, 64));
  ASSERT_NE(copy, constant);
  EXPECT_EQ(copy[0], 'x');
  EXPECT_EQ(copy[1], 'y');
  EXPECT_EQ(kConstants[12], 'x');
  ReleaseMemory(copy);
  auto* shorter = static_cast<unsigned char*>(ResizeMemory(const_cast<unsigned char*>(kConstants), 2));
  EXPECT_EQ(shorter[0], 1);
  ReleaseMemory(shorter);
}

TEST_F(ConstantBlockTest, MakeArrayPrivateCopiesAConstantArrayOnly) {
  void* array = const_cast<unsigned char*>(kConstants);  // {1, 2, 4-byte elements}
  MakeArrayPrivate(2, &array);
  ASSERT_NE(array, static_cast<const void*>(kConstants));
  EXPECT_EQ(ElementCount(array), 2);
  EXPECT_EQ(static_cast<unsigned char*>(array)[8], 'a');
  void* heap_array = array;
  MakeArrayPrivate(2, &array);
  EXPECT_EQ(array, heap_array);
  ReleaseMemory(array);
}

TEST(Memory, ResizeOfNullAllocatesAndHeapBlocksKeepContents) {
  auto* block = static_cast<char*>(ResizeMemory(nullptr, 4));
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(ResizeMemory(block, 4096));
  EXPECT_STREQ(block, "abc");
  ReleaseMemory(block);
}

TEST(MemoryDeathTest, ExhaustionIsAFatalReportWithoutCodeLine) {
  EXPECT_EXIT(
      {
        fake::g_heap_limit = 1000;
        (void)AllocateMemory(5000);
      },
      ::testing::ExitedWithCode(255),
      u8"运行时出错!\r\n\r\n错误信息：分配 5000 字节内存失败!\r\n\r\n0, 0\r\n");
}

}  // namespace
}  // namespace pelmora
