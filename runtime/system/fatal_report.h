// The one fatal report of the program: a modal "错误" box beginning
// "运行时出错!", then the process ends with exit code -1.
#pragma once

#include <cstdint>
#include <string>

namespace pelmora {

// Answers the report's questions about loaded windows, so the report can
// name the window and unit a window fault concerns. The window engine
// installs one; without it no window lines are added.
class ReportWindowLookup {
 public:
  virtual ~ReportWindowLookup() = default;
  // The tag text of the window's own unit record; false when not loaded.
  virtual bool FindWindowTag(std::int32_t window_id, std::string* tag) const = 0;
  // The tag text of the unit (0 = the window's own record); false if absent.
  virtual bool FindUnitTag(std::int32_t window_id, std::int32_t unit_id,
                           std::string* tag) const = 0;
};

// The message that belongs to a runtime error code, or "" for none.
[[nodiscard]] const char* RuntimeErrorMessage(int code);

// The report's text exactly as shown, CR LF line ends included.
[[nodiscard]] std::string BuildRuntimeErrorReport(int code, const char* message,
                                                  std::int32_t location1, std::int32_t location2,
                                                  const ReportWindowLookup* windows);

// Report by code (message looked up), e.g. array index faults.
[[noreturn]] void ReportRuntimeError(int code, std::int32_t location1, std::int32_t location2);
// Report with a message of its own and code 0 unless given.
[[noreturn]] void ReportRuntimeFailure(const char* message, std::int32_t location1,
                                       std::int32_t location2);
// "分配 %d 字节内存失败!", no code line, both locations 0.
[[noreturn]] void ReportOutOfMemory(std::int32_t requested);

void SetReportWindowLookup(const ReportWindowLookup* lookup);

// Where a run with nobody at the screen sends the report instead of a box
// that nobody would answer (a log); the process still ends with -1.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void TakeReport(const std::string& gbk_text) = 0;
};

// Null: reports are shown again.
void SendReportsInsteadOfShowing(ReportSink* sink);

}  // namespace pelmora
