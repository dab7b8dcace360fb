#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "app/main_window_form.h"
#include "fakes/gbk.h"
#include "runtime/system/fatal_report.h"

namespace pelmora {
namespace {

// The report's location line: window and unit in decimal.
std::string Location(std::int32_t window, std::int32_t unit) {
  return std::to_string(window) + ", " + std::to_string(unit);
}

// Loaded windows as the report sees them: window id -> (own tag, unit tags).
class FakeWindows : public ReportWindowLookup {
 public:
  void Add(std::int32_t window, std::string tag, std::map<std::int32_t, std::string> units) {
    windows_[window] = {std::move(tag), std::move(units)};
  }
  bool FindWindowTag(std::int32_t window_id, std::string* tag) const override {
    auto it = windows_.find(window_id);
    if (it == windows_.end()) return false;
    *tag = it->second.first;
    return true;
  }
  bool FindUnitTag(std::int32_t window_id, std::int32_t unit_id,
                   std::string* tag) const override {
    auto it = windows_.find(window_id);
    if (it == windows_.end()) return false;
    if (unit_id == 0) {
      *tag = it->second.first;
      return true;
    }
    auto unit = it->second.second.find(unit_id);
    if (unit == it->second.second.end()) return false;
    *tag = unit->second;
    return true;
  }

 private:
  std::map<std::int32_t, std::pair<std::string, std::map<std::int32_t, std::string>>> windows_;
};

// The report's lines, CR LF split; fails on a bare LF or a missing final CR LF.
std::vector<std::string> Lines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (;;) {
    std::size_t end = report.find("\r\n", begin);
    if (end == std::string::npos) {
      EXPECT_EQ(begin, report.size()) << "text after the last CR LF";
      break;
    }
    lines.push_back(report.substr(begin, end - begin));
    begin = end + 2;
  }
  for (const auto& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos);
  return lines;
}

TEST(RuntimeErrorReport, CodeSixShowsTheSevenLines) {
  std::string report = BuildRuntimeErrorReport(6, RuntimeErrorMessage(6), 1234, 7, nullptr);
  std::vector<std::string> expected = {"运行时出错!",  "", "错误代码：6", "",
                                       "错误信息：调用DLL命令后发现堆栈错误", "", "1234, 7"};
  EXPECT_EQ(Lines(report), expected);
}

TEST(RuntimeErrorReport, MessagesByCode) {
  EXPECT_STREQ(RuntimeErrorMessage(1), "数组成员引用下标超出定义范围");
  EXPECT_STREQ(RuntimeErrorMessage(4), "数组成员引用下标必须大于等于1");
  EXPECT_STREQ(RuntimeErrorMessage(6), "调用DLL命令后发现堆栈错误");
  EXPECT_STREQ(RuntimeErrorMessage(0), "");
  EXPECT_STREQ(RuntimeErrorMessage(2), "");
}

TEST(RuntimeErrorReport, CodeZeroHasNoCodeLineAndNoMessageNoMessageLine) {
  std::vector<std::string> failure = {"运行时出错!", "", "错误信息：载入启动窗口失败", "",
                                      "0, 0"};
  EXPECT_EQ(Lines(BuildRuntimeErrorReport(0, "载入启动窗口失败", 0, 0, nullptr)), failure);
  std::vector<std::string> bare_code = {"运行时出错!", "", "错误代码：2", "", "-5, 0"};
  EXPECT_EQ(Lines(BuildRuntimeErrorReport(2, "", -5, 0, nullptr)), bare_code);
  std::vector<std::string> nothing = {"运行时出错!", "", "0, 0"};
  EXPECT_EQ(Lines(BuildRuntimeErrorReport(0, nullptr, 0, 0, nullptr)), nothing);
}

TEST(RuntimeErrorReport, LocationsAreSignedDecimals) {
  auto lines = Lines(BuildRuntimeErrorReport(1, RuntimeErrorMessage(1), -2147483647 - 1,
                                             2147483647, nullptr));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "-2147483648, 2147483647");
}

TEST(RuntimeErrorReport, WindowFaultNamesTheWindowAndUnitByTag) {
  FakeWindows windows;
  windows.Add(kMainWindowId, "main", {{kProgressBarUnit, "bar"}});
  auto lines = Lines(BuildRuntimeErrorReport(0, "修改组件属性时发现指定窗口尚未载入",
                                             kMainWindowId, kProgressBarUnit, &windows));
  std::vector<std::string> expected = {"运行时出错!",
                                       "",
                                       "错误信息：修改组件属性时发现指定窗口尚未载入",
                                       "",
                                       Location(kMainWindowId, kProgressBarUnit),
                                       "\"main\"",
                                       "\"bar\""};
  EXPECT_EQ(lines, expected);
}

TEST(RuntimeErrorReport, UnitZeroIsTheWindowsOwnRecord) {
  FakeWindows windows;
  windows.Add(kMainWindowId, "", {});
  auto lines = Lines(BuildRuntimeErrorReport(0, "x", kMainWindowId, 0, &windows));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "\"\"");
  EXPECT_EQ(lines.back(), "\"\"");
}

TEST(RuntimeErrorReport, MissingWindowOrUnitIsSaid) {
  FakeWindows windows;
  windows.Add(kMainWindowId, "main", {});
  auto no_window =
      Lines(BuildRuntimeErrorReport(0, "x", kMainWindowId + 1, kProgressBarUnit, &windows));
  ASSERT_GE(no_window.size(), 2u);
  EXPECT_EQ(no_window[no_window.size() - 2], Location(kMainWindowId + 1, kProgressBarUnit));
  EXPECT_EQ(no_window.back(), "未找到所指定的窗口");

  auto no_unit = Lines(BuildRuntimeErrorReport(0, "x", kMainWindowId, kProgressBarUnit, &windows));
  ASSERT_GE(no_unit.size(), 3u);
  EXPECT_EQ(no_unit[no_unit.size() - 2], "\"main\"");
  EXPECT_EQ(no_unit.back(), "未找到所指定的窗口组件");
}

TEST(RuntimeErrorReport, OnlyWindowIdentifiersAskForWindows) {
  FakeWindows windows;  // nothing loaded: any lookup would add a line
  const std::int32_t not_windows[] = {7, 0, kProgressBarUnit, 0x20000001, 0x51010001, -1};
  for (std::int32_t location : not_windows) {
    auto lines = Lines(BuildRuntimeErrorReport(4, RuntimeErrorMessage(4), location, 3, &windows));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::to_string(location) + ", 3") << location;
  }
  // Bits 24 to 27 holding 2 is what makes a window identifier.
  const std::int32_t window_like[] = {0x02000000, 0x12FFFFFF, static_cast<std::int32_t>(0xF2000000u)};
  for (std::int32_t location : window_like) {
    auto lines = Lines(BuildRuntimeErrorReport(0, "", location, 0, &windows));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "未找到所指定的窗口") << location;
  }
}

TEST(RuntimeErrorReport, NoLookupMeansNoWindowLines) {
  auto lines = Lines(BuildRuntimeErrorReport(0, "x", kMainWindowId, kProgressBarUnit, nullptr));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), Location(kMainWindowId, kProgressBarUnit));
}

TEST(RuntimeErrorReportDeathTest, ReportShowsTheBoxTextAndExitsMinusOne) {
  EXPECT_EXIT(ReportRuntimeError(6, 1234, 7), ::testing::ExitedWithCode(255),
              u8"运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n\r\n"
              u8"1234, 7\r\n");
}

TEST(RuntimeErrorReportDeathTest, InstalledLookupNamesTheWindow) {
  EXPECT_EXIT(
      {
        FakeWindows windows;
        windows.Add(kMainWindowId, "main", {});
        SetReportWindowLookup(&windows);
        ReportRuntimeFailure("修改组件属性时发现指定窗口尚未载入", kMainWindowId, kProgressBarUnit);
      },
      ::testing::ExitedWithCode(255),
      u8"错误信息：修改组件属性时发现指定窗口尚未载入\r\n\r\n" + Location(kMainWindowId, kProgressBarUnit) +
          u8"\r\n\"main\"\r\n未找到所指定的窗口组件\r\n");
}

TEST(RuntimeErrorReportDeathTest, MemoryExhaustionNamesTheByteCount) {
  EXPECT_EXIT(ReportOutOfMemory(2147483647), ::testing::ExitedWithCode(255),
              u8"运行时出错!\r\n\r\n错误信息：分配 2147483647 字节内存失败!\r\n\r\n0, 0\r\n");
}

}  // namespace
}  // namespace pelmora
