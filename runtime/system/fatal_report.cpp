#include "runtime/system/fatal_report.h"

#include <cstdio>

#include "runtime/system/fatal_port.h"

namespace pelmora {
namespace {

const ReportWindowLookup* g_window_lookup = nullptr;
ReportSink* g_unattended_sink = nullptr;

constexpr const char* kCrLf = "\r\n";

// Window identifiers carry 2 in bits 24 to 27 (0x52010001).
bool IsWindowIdentifier(std::int32_t value) {
  return ((static_cast<std::uint32_t>(value) >> 24) & 0xF) == 2;
}

void AppendWindowLines(std::string& report, std::int32_t window_id, std::int32_t unit_id,
                       const ReportWindowLookup& windows) {
  std::string tag;
  if (!windows.FindWindowTag(window_id, &tag)) {
    report += kCrLf;
    report += "未找到所指定的窗口";
    return;
  }
  report += kCrLf;
  report += '"' + tag + '"';
  std::string unit_tag;
  if (!windows.FindUnitTag(window_id, unit_id, &unit_tag)) {
    report += kCrLf;
    report += "未找到所指定的窗口组件";
  } else {
    report += kCrLf;
    report += '"' + unit_tag + '"';
  }
}

[[noreturn]] void Report(int code, const char* message, std::int32_t location1,
                         std::int32_t location2) {
  port::SuppressEventsForReport();
  std::string text = BuildRuntimeErrorReport(code, message, location1, location2, g_window_lookup);
  if (g_unattended_sink != nullptr) {
    g_unattended_sink->TakeReport(text);
  } else {
    port::ShowFatalErrorBox(text.c_str());
  }
  port::ExitAfterFatalReport(-1);
}

}  // namespace

const char* RuntimeErrorMessage(int code) {
  switch (code) {
    case 1: return "数组成员引用下标超出定义范围";
    case 4: return "数组成员引用下标必须大于等于1";
    case 6: return "调用DLL命令后发现堆栈错误";
    default: return "";
  }
}

std::string BuildRuntimeErrorReport(int code, const char* message, std::int32_t location1,
                                    std::int32_t location2, const ReportWindowLookup* windows) {
  std::string report = "运行时出错!";
  report += kCrLf;
  if (code != 0) {
    report += kCrLf;
    report += "错误代码：" + std::to_string(code) + kCrLf;
  }
  if (message != nullptr && message[0] != '\0') {
    report += kCrLf;
    report += "错误信息：";
    report += message;
    report += kCrLf;
  }
  report += kCrLf;
  report += std::to_string(location1) + ", " + std::to_string(location2);
  if (windows != nullptr && IsWindowIdentifier(location1)) {
    AppendWindowLines(report, location1, location2, *windows);
  }
  report += kCrLf;
  return report;
}

void ReportRuntimeError(int code, std::int32_t location1, std::int32_t location2) {
  Report(code, RuntimeErrorMessage(code), location1, location2);
}

void ReportRuntimeFailure(const char* message, std::int32_t location1, std::int32_t location2) {
  Report(0, message, location1, location2);
}

void ReportOutOfMemory(std::int32_t requested) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(requested));
  Report(0, message, 0, 0);
}

void SendReportsInsteadOfShowing(ReportSink* sink) {
  g_unattended_sink = sink;
}

void SetReportWindowLookup(const ReportWindowLookup* lookup) { g_window_lookup = lookup; }

}  // namespace pelmora
