// Message box formatting, modality and button numbers, the show-mode
// table, and what the dialog commands hand to the platform.
#include <gtest/gtest.h>

#include "app/main_window_form.h"
#include "fakes/dialog_fake.h"
#include "fakes/gbk.h"
#include "fakes/window_port_fake.h"
#include "runtime/window/dialog_port.h"
#include "runtime/window/dialogs.h"
#include "runtime/window/window_engine_internal.h"

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
  EXPECT_EQ(dialog_rules::StyleWithModality(kBoxOk), port::kBoxTaskModal);
  EXPECT_EQ(dialog_rules::StyleWithModality(kBoxOkCancel | kBoxIconWarning),
            port::kBoxTaskModal + kBoxOkCancel + kBoxIconWarning);
  EXPECT_EQ(dialog_rules::StyleWithModality(port::kBoxSystemModal), port::kBoxSystemModal);
  EXPECT_EQ(dialog_rules::StyleWithModality(port::kBoxSystemModal + kBoxYesNo),
            port::kBoxSystemModal + kBoxYesNo);
  // Added arithmetically: a given task-modal bit is added once more.
  EXPECT_EQ(dialog_rules::StyleWithModality(port::kBoxTaskModal), 2 * port::kBoxTaskModal);
}

// The platform numbers its results from IDOK (1) to IDNO (7) in the order
// of the buttons; anything else (no box, a closed box's own codes) is OK.
TEST(MessageBoxRules, EachPlatformResultIsItsButtonAndTheRestCountAsOk) {
  const struct {
    int platform_result;
    BoxButton button;
  } cases[] = {{1, kButtonOk},     {2, kButtonCancel}, {3, kButtonAbort}, {4, kButtonRetry},
               {5, kButtonIgnore}, {6, kButtonYes},    {7, kButtonNo},    {0, kButtonOk},
               {8, kButtonOk},     {-1, kButtonOk}};
  for (const auto& c : cases) {
    EXPECT_EQ(dialog_rules::ButtonNumber(c.platform_result), c.button) << c.platform_result;
  }
}

TEST(RunProgramRules, EachShowModeGivesItsKindOfWindow) {
  using dialog_rules::ShowWindowValue;
  EXPECT_EQ(ShowWindowValue(1), kShowHidden);
  EXPECT_EQ(ShowWindowValue(2), kShowNormal);
  EXPECT_EQ(ShowWindowValue(3), kShowMinimized);
  EXPECT_EQ(ShowWindowValue(4), kShowMaximized);
  EXPECT_EQ(ShowWindowValue(5), kShowNormalNotActivated);
  EXPECT_EQ(ShowWindowValue(6), kShowMinimizedNotActivated);
}

TEST(RunProgramRules, OmittedModeIsANormalWindowAndOthersAreClamped) {
  using dialog_rules::ShowWindowValue;
  EXPECT_EQ(ShowWindowValue(std::nullopt), kShowNormal);
  EXPECT_EQ(ShowWindowValue(0), kShowHidden);
  EXPECT_EQ(ShowWindowValue(-100), kShowHidden);
  EXPECT_EQ(ShowWindowValue(9), kShowMinimizedNotActivated);
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
  fake::Dialogs().results = {2, 7};  // IDCANCEL, IDNO
  EXPECT_EQ(ShowMessageBox("abc", kBoxOkCancel), kButtonCancel);
  EXPECT_EQ(ShowMessageBox("abc", kBoxYesNo, TextView("")), kButtonNo);
  ASSERT_EQ(fake::Dialogs().boxes.size(), 2u);
  EXPECT_EQ(fake::GbkToUtf8(fake::Dialogs().boxes[0].title), u8"信息：");
  EXPECT_EQ(fake::Dialogs().boxes[0].style, port::kBoxTaskModal + kBoxOkCancel);
  EXPECT_EQ(fake::Dialogs().boxes[0].owner, 0u);
  EXPECT_EQ(fake::Dialogs().boxes[1].title, "");
}

TEST_F(DialogCommandTest, BoxThatCannotBeShownCountsAsOk) {
  fake::Dialogs().results = {0};
  EXPECT_EQ(ShowMessageBox("x", kBoxOkCancel), kButtonOk);
}

TEST_F(DialogCommandTest, OwnerIsReadOnlyFromAWindowReferenceOrAnInteger) {
  const BoxValue text = BoxValue::OfText("x");
  const BoxValue raw = BoxValue::OfInteger(0x4242);
  const BoxValue not_loaded = BoxValue::OfWindow(kMainWindowId);
  const BoxValue logical = BoxValue::OfLogical(true);
  ShowMessageBoxOf(text, kBoxOk, std::nullopt, &raw);
  ShowMessageBoxOf(text, kBoxOk, std::nullopt, &not_loaded);
  ShowMessageBoxOf(text, kBoxOk, std::nullopt, &logical);
  ShowMessageBoxOf(text, kBoxOk, std::nullopt, &text);
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
  EXPECT_EQ(fake::Dialogs().processes[0].show_window, kShowNormal);
  EXPECT_FALSE(fake::Dialogs().processes[0].wait_for_end);

  EXPECT_TRUE(RunProgram("a.exe", true, 0));
  EXPECT_EQ(fake::Dialogs().processes[1].show_window, kShowHidden);
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
