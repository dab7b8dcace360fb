// Message box formatting, modality and button numbers, the show-mode
// table, and what the dialog commands hand to the platform.
#include <gtest/gtest.h>

#include "fakes/dialog_fake.h"
#include "fakes/gbk.h"
#include "fakes/window_port_fake.h"
#include "runtime/dialogs.h"
#include "runtime/window_engine_internal.h"

namespace pelmora {
namespace {

using dialog_rules::FormatContent;

std::string Shown(const BoxValue& value) { return fake::GbkToUtf8(FormatContent(value)); }

// OLE date of a day at a time (days from 1899-12-30).
constexpr double kMarch15th2024 = 45366.0;

TEST(MessageBoxContent, NumbersUseTheirKindsFormat) {
  EXPECT_EQ(Shown(BoxValue::OfInteger(42)), "42");
  EXPECT_EQ(Shown(BoxValue::OfInteger(-7)), "-7");
  EXPECT_EQ(Shown({kTagByte, 0x1FF, 0, nullptr}), "255");
  EXPECT_EQ(Shown({kTagShort, 0xFFFF, 0, nullptr}), "-1");
  EXPECT_EQ(Shown(BoxValue::OfLong(-5000000000000LL)), "-5000000000000");
  EXPECT_EQ(Shown(BoxValue::OfDouble(0.1)), "0.1");
  EXPECT_EQ(Shown(BoxValue::OfDouble(1.0 / 3.0)), "0.3333333333333");
}

TEST(MessageBoxContent, SingleNumbersRoundToSixDigitsFirst) {
  EXPECT_EQ(Shown(BoxValue::OfSingle(0.1f)), "0.1");
  EXPECT_EQ(Shown(BoxValue::OfSingle(3.14159274f)), "3.14159");
  EXPECT_EQ(Shown(BoxValue::OfSingle(-2.5f)), "-2.5");
  EXPECT_EQ(Shown(BoxValue::OfSingle(1234567.0f)), "1.23457e+06");
  EXPECT_EQ(Shown(BoxValue::OfSingle(0.0f)), "0");
  // The rounded value itself, not only its printed form, has six digits.
  EXPECT_DOUBLE_EQ(dialog_rules::RoundSingle(16777216.0f), 16777200.0);
  EXPECT_DOUBLE_EQ(dialog_rules::RoundSingle(0.1f), 0.1);
  EXPECT_DOUBLE_EQ(dialog_rules::RoundSingle(99.99999f), 100.0);
}

TEST(MessageBoxContent, LogicalsAndUnknownKinds) {
  EXPECT_EQ(Shown(BoxValue::OfLogical(true)), u8"真");
  EXPECT_EQ(Shown(BoxValue::OfLogical(false)), u8"假");
  EXPECT_EQ(Shown({0x80000005u, 1, 0, nullptr}), "");
  EXPECT_EQ(Shown(BoxValue::OfText(TextView(nullptr))), "");
}

TEST(MessageBoxContent, DateTimeShowsOnlyTheTimePartsThatAreNotZero) {
  EXPECT_EQ(Shown(BoxValue::OfDateTime(kMarch15th2024)), u8"2024年3月15日");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(kMarch15th2024 + 0.5)), u8"2024年3月15日12时");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(kMarch15th2024 + 10.5 / 24)), u8"2024年3月15日10时30分");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(kMarch15th2024 + 5.0 / 86400)), u8"2024年3月15日0时0分5秒");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(0.0)), u8"1899年12月30日");
  // Before day 0 the fraction still counts forward from midnight.
  EXPECT_EQ(Shown(BoxValue::OfDateTime(-1.25)), u8"1899年12月29日6时");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(60.0)), u8"1900年2月28日");
}

TEST(MessageBoxContent, DateTimeIsClampedToYears100To9999) {
  EXPECT_EQ(Shown(BoxValue::OfDateTime(-1e9)), u8"100年1月1日");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(1e9)), u8"9999年12月31日");
  EXPECT_EQ(Shown(BoxValue::OfDateTime(2958465.75)), u8"9999年12月31日");
}

TEST(MessageBoxRules, TaskModalIsAddedUnlessSystemModal) {
  EXPECT_EQ(dialog_rules::StyleWithModality(0), 8192u);
  EXPECT_EQ(dialog_rules::StyleWithModality(1 | 48), 8192u + 49u);
  EXPECT_EQ(dialog_rules::StyleWithModality(4096), 4096u);
  EXPECT_EQ(dialog_rules::StyleWithModality(4096 + 4), 4100u);
  // Added arithmetically: a given task-modal bit is added once more.
  EXPECT_EQ(dialog_rules::StyleWithModality(8192), 16384u);
}

TEST(MessageBoxRules, PlatformResultsMapToZeroBasedButtons) {
  const int expected[] = {0, 0, 1, 2, 3, 4, 5, 6, 0};
  for (int result = 0; result <= 8; ++result) {
    EXPECT_EQ(dialog_rules::ButtonNumber(result), expected[result]) << result;
  }
  EXPECT_EQ(dialog_rules::ButtonNumber(-1), 0);
}

TEST(RunProgramRules, ShowModeIsClampedAndTranslated) {
  EXPECT_EQ(dialog_rules::ShowWindowValue(std::nullopt), 1);
  EXPECT_EQ(dialog_rules::ShowWindowValue(0), 0);
  EXPECT_EQ(dialog_rules::ShowWindowValue(-100), 0);
  const int table[] = {0, 1, 2, 3, 4, 6};
  for (int mode = 1; mode <= 6; ++mode) {
    EXPECT_EQ(dialog_rules::ShowWindowValue(mode), table[mode - 1]) << mode;
  }
  EXPECT_EQ(dialog_rules::ShowWindowValue(9), 6);
}

class DialogCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Dialogs().Clear();
    fake::Windows().Clear();
    engine::ResetForTests();
  }
  void TearDown() override { engine::ResetForTests(); }
};

TEST_F(DialogCommandTest, BoxGetsDefaultTitleModalityAndReturnsTheButton) {
  fake::Dialogs().results = {2, 7};
  EXPECT_EQ(ShowMessageBox("abc", 1), 1);
  EXPECT_EQ(ShowMessageBox("abc", 4, TextView("")), 6);
  ASSERT_EQ(fake::Dialogs().boxes.size(), 2u);
  EXPECT_EQ(fake::GbkToUtf8(fake::Dialogs().boxes[0].title), u8"信息：");
  EXPECT_EQ(fake::Dialogs().boxes[0].style, 8193u);
  EXPECT_EQ(fake::Dialogs().boxes[0].owner, 0u);
  EXPECT_EQ(fake::Dialogs().boxes[1].title, "");
}

TEST_F(DialogCommandTest, BoxThatCannotBeShownCountsAsOk) {
  fake::Dialogs().results = {0};
  EXPECT_EQ(ShowMessageBox("x", 1), 0);
}

TEST_F(DialogCommandTest, OwnerIsReadOnlyFromAWindowReferenceOrAnInteger) {
  const BoxValue text = BoxValue::OfText("x");
  const BoxValue raw = BoxValue::OfInteger(0x4242);
  const BoxValue not_loaded = BoxValue::OfWindow(0x52010001);
  const BoxValue logical = BoxValue::OfLogical(true);
  ShowMessageBoxOf(text, 0, std::nullopt, &raw);
  ShowMessageBoxOf(text, 0, std::nullopt, &not_loaded);
  ShowMessageBoxOf(text, 0, std::nullopt, &logical);
  ShowMessageBoxOf(text, 0, std::nullopt, &text);
  ASSERT_EQ(fake::Dialogs().boxes.size(), 4u);
  EXPECT_EQ(fake::Dialogs().boxes[0].owner, 0x4242u);
  EXPECT_EQ(fake::Dialogs().boxes[1].owner, 0u);
  EXPECT_EQ(fake::Dialogs().boxes[2].owner, 0u);
  EXPECT_EQ(fake::Dialogs().boxes[3].owner, 0u);
}

TEST_F(DialogCommandTest, RunProgramPassesTheLineAndReportsCreationFailure) {
  EXPECT_TRUE(RunProgram("C:\\x\\vba.exe /q"));
  ASSERT_EQ(fake::Dialogs().processes.size(), 1u);
  EXPECT_EQ(fake::Dialogs().processes[0].command_line, "C:\\x\\vba.exe /q");
  EXPECT_EQ(fake::Dialogs().processes[0].show_window, 1);
  EXPECT_FALSE(fake::Dialogs().processes[0].wait_for_end);

  EXPECT_TRUE(RunProgram("a.exe", true, 0));
  EXPECT_EQ(fake::Dialogs().processes[1].show_window, 0);
  EXPECT_TRUE(fake::Dialogs().processes[1].wait_for_end);

  fake::Dialogs().process_error = 2;
  std::uint32_t error = 0;
  EXPECT_FALSE(RunProgram("missing.exe", false, std::nullopt, &error));
  EXPECT_EQ(error, 2u);
  EXPECT_FALSE(RunProgram("missing.exe"));  // no out-parameter: still false
}

TEST_F(DialogCommandTest, WebAddressIsOpenedAsGivenOrTheDefault) {
  OpenWebAddress(TextView("https://example.org/"));
  OpenWebAddress();
  ASSERT_EQ(fake::Dialogs().opened.size(), 2u);
  EXPECT_EQ(fake::Dialogs().opened[0], "https://example.org/");
  EXPECT_FALSE(fake::Dialogs().opened[1].empty());
}

}  // namespace
}  // namespace pelmora
