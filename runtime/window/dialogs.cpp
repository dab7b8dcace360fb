#include "runtime/window/dialogs.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/window/dialog_port.h"
#include "runtime/window/window_engine.h"

namespace pelmora {
namespace {

// Formatted contents never need more than this.
constexpr std::size_t kFormatBuffer = 100;
constexpr const char* kDefaultTitle = "信息：";
constexpr const char* kDefaultWebAddress = "about:blank";

std::uint64_t Words(const BoxValue& v) {
  return (static_cast<std::uint64_t>(v.high) << 32) | v.low;
}

double DoubleOf(const BoxValue& v) {
  const std::uint64_t bits = Words(v);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

BoxValue OfDoubleBits(std::uint32_t tag, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return {tag, static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), nullptr};
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int* year, int* month, int* day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  *month = static_cast<int>(m);
  *day = static_cast<int>(d);
}

}  // namespace

BoxValue BoxValue::OfLong(std::int64_t v) {
  const auto bits = static_cast<std::uint64_t>(v);
  return {kTagLong, static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32),
          nullptr};
}

BoxValue BoxValue::OfSingle(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return {kTagSingle, bits, 0, nullptr};
}

BoxValue BoxValue::OfDouble(double v) { return OfDoubleBits(kTagDouble, v); }
BoxValue BoxValue::OfDateTime(double ole_date) { return OfDoubleBits(kTagDateTime, ole_date); }

namespace dialog_rules {

double RoundSingle(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int e = static_cast<std::int8_t>(static_cast<std::uint8_t>(((bits >> 23) & 0xFF) - 127));
  int d = static_cast<int>(e * 0.30102999566398120);
  double p = std::pow(10.0, d < 0 ? -d : d);
  const double magnitude = std::fabs(static_cast<double>(value));
  double x = d > 0 ? magnitude / p : magnitude * p;
  if (x >= 10.0) {
    p *= 10.0;
    d += 1;
    x *= 10000.0;
  } else if (x < 1.0) {
    p *= 10.0;
    d -= 1;
    x *= 1000000.0;
  } else {
    x *= 100000.0;
  }
  double i = std::floor(x);
  if (x - i >= 0.5) i += 1.0;
  const double rounded = d > 0 ? i * p * 0.00001 : i / (p * 100000.0);
  return std::signbit(value) ? -rounded : rounded;
}

std::string FormatDateTime(double ole_date) {
  // The first day of year 100 to the last day of year 9999.
  if (!(ole_date >= -657434.0)) ole_date = -657434.0;
  if (ole_date > 2958465.0) ole_date = 2958465.0;
  // An OLE date's whole part counts days from 1899-12-30; its fraction is
  // the time of day, also for dates before that day.
  std::int64_t days = static_cast<std::int64_t>(ole_date);
  const double fraction = std::fabs(ole_date - static_cast<double>(days));
  long seconds = std::lround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += ole_date < 0 ? -1 : 1;
  }
  int year = 0, month = 0, day = 0;
  CivilFromDays(days - 25569, &year, &month, &day);
  const int hour = static_cast<int>(seconds / 3600);
  const int minute = static_cast<int>(seconds / 60 % 60);
  const int second = static_cast<int>(seconds % 60);

  char buffer[kFormatBuffer];
  int n = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", year, month, day);
  if (n < 0) return std::string();
  const std::size_t used = static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1;
  char* rest = buffer + used;
  const std::size_t room = sizeof buffer - used;
  if (second != 0) {
    std::snprintf(rest, room, "%d时%d分%d秒", hour, minute, second);
  } else if (minute != 0) {
    std::snprintf(rest, room, "%d时%d分", hour, minute);
  } else if (hour != 0) {
    std::snprintf(rest, room, "%d时", hour);
  }
  return buffer;
}

std::string FormatContent(const BoxValue& content) {
  char buffer[kFormatBuffer] = "";
  switch (content.type_tag) {
    case kTagText:
      return content.text != nullptr ? content.text : "";
    case kTagByte:
      std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(content.low & 0xFF));
      break;
    case kTagShort:
      std::snprintf(buffer, sizeof buffer, "%d",
                    static_cast<int>(static_cast<std::int16_t>(content.low & 0xFFFF)));
      break;
    case kTagInteger:
      std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(content.low));
      break;
    case kTagLong:
      std::snprintf(buffer, sizeof buffer, "%lld",
                    static_cast<long long>(static_cast<std::int64_t>(Words(content))));
      break;
    case kTagSingle: {
      float f;
      std::memcpy(&f, &content.low, sizeof f);
      std::snprintf(buffer, sizeof buffer, "%.6g", RoundSingle(f));
      break;
    }
    case kTagDouble:
      std::snprintf(buffer, sizeof buffer, "%.13g", DoubleOf(content));
      break;
    case kTagLogical:
      return content.low != 0 ? "真" : "假";
    case kTagDateTime:
      return FormatDateTime(DoubleOf(content));
    default:
      break;
  }
  return buffer;
}

std::uint32_t StyleWithModality(std::int32_t style) {
  auto flags = static_cast<std::uint32_t>(style);
  // Added, not or-ed: a style that already holds task modal gets it a second
  // time, and the platform then reads a different style word.
  if ((flags & port::kBoxSystemModal) == 0) flags += port::kBoxTaskModal;
  return flags;
}

std::int32_t ButtonNumber(int platform_result) {
  const bool known = platform_result >= port::kResultOk && platform_result <= port::kResultNo;
  return known ? platform_result - port::kResultOk : kButtonOk;
}

int ShowWindowValue(std::optional<std::int32_t> show_mode) {
  static constexpr int kShowValues[] = {
      kShowHidden,    kShowNormal,
      kShowMinimized, kShowMaximized,
      kShowNormalNotActivated, kShowMinimizedNotActivated};
  std::int32_t mode = show_mode.value_or(2);
  if (mode < 1) mode = 1;
  if (mode > 6) mode = 6;
  return kShowValues[mode - 1];
}

std::string QuotedCommandLine(TextView path) {
  // A path cannot hold a double quote, so quoting it whole is enough.
  std::string line = "\"";
  line += path.c_str();
  line += '"';
  return line;
}

}  // namespace dialog_rules

namespace {

std::int32_t ShowBoxWithOwner(const BoxText& text, std::int32_t style,
                              std::optional<TextView> title, std::uintptr_t owner_handle) {
  const char* shown_title = title ? title->c_str() : kDefaultTitle;
  const int result =
      port::ShowBox(owner_handle, text, shown_title, dialog_rules::StyleWithModality(style));
  return dialog_rules::ButtonNumber(result);
}

}  // namespace

std::int32_t ShowMessageBoxOf(const BoxValue& content, std::int32_t style,
                              std::optional<TextView> title, const BoxValue* owner) {
  const std::string text = dialog_rules::FormatContent(content);
  std::uintptr_t owner_handle = 0;
  if (owner != nullptr) {
    if (owner->type_tag == kTagWindowReference) {
      owner_handle = NativeHandleOfWindow(static_cast<std::int32_t>(owner->low));
    } else if (owner->type_tag == kTagInteger) {
      owner_handle = owner->low;
    }
  }
  return ShowBoxWithOwner(BoxText(TextView(text.c_str())), style, title, owner_handle);
}

std::int32_t ShowMessageBox(TextView content, std::int32_t style, std::optional<TextView> title) {
  return ShowMessageBoxOf(BoxValue::OfText(content), style, title, nullptr);
}

std::int32_t ShowBoxText(const BoxText& content, std::int32_t style,
                         std::optional<TextView> title) {
  return ShowBoxWithOwner(content, style, title, 0);
}

namespace {

bool Start(const char* application, const char* command_line, bool wait,
           std::optional<std::int32_t> show_mode, std::uint32_t* error) {
  std::uint32_t code = 0;
  const bool started = port::StartProcess(application, command_line,
                                          dialog_rules::ShowWindowValue(show_mode), wait, &code);
  if (!started && error != nullptr) *error = code;
  return started;
}

}  // namespace

bool RunProgram(TextView command_line, bool wait, std::optional<std::int32_t> show_mode,
                std::uint32_t* error) {
  return Start(nullptr, command_line.c_str(), wait, show_mode, error);
}

bool RunProgramFile(TextView path, bool wait, std::optional<std::int32_t> show_mode,
                    std::uint32_t* error) {
  const std::string command_line = dialog_rules::QuotedCommandLine(path);
  return Start(path.c_str(), command_line.c_str(), wait, show_mode, error);
}

void OpenWebAddress(std::optional<TextView> address) {
  port::OpenWithShell(address ? address->c_str() : kDefaultWebAddress);
}

}  // namespace pelmora
