// Message boxes, program launch and web links.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// Type tags of the values a message box accepts as its content or owner.
constexpr std::uint32_t kTagText = 0x80000004u;
constexpr std::uint32_t kTagByte = 0x80000101u;
constexpr std::uint32_t kTagShort = 0x80000201u;
constexpr std::uint32_t kTagInteger = 0x80000301u;
constexpr std::uint32_t kTagLong = 0x80000401u;
constexpr std::uint32_t kTagSingle = 0x80000501u;
constexpr std::uint32_t kTagDouble = 0x80000601u;
constexpr std::uint32_t kTagLogical = 0x80000002u;
constexpr std::uint32_t kTagDateTime = 0x80000003u;
constexpr std::uint32_t kTagWindowReference = 0x00010001u;

// One typed argument: the two value words and the type tag. A text keeps
// its bytes in `text` (the low word cannot hold an address on every build).
struct BoxValue {
  std::uint32_t type_tag = 0;
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  const char* text = nullptr;

  static BoxValue OfText(TextView t) { return {kTagText, 0, 0, t.c_str()}; }
  static BoxValue OfInteger(std::int32_t v) {
    return {kTagInteger, static_cast<std::uint32_t>(v), 0, nullptr};
  }
  static BoxValue OfLong(std::int64_t v);
  static BoxValue OfSingle(float v);
  static BoxValue OfDouble(double v);
  static BoxValue OfDateTime(double ole_date);
  static BoxValue OfLogical(bool v) { return {kTagLogical, v ? 1u : 0u, 0, nullptr}; }
  static BoxValue OfWindow(std::int32_t window_id) {
    return {kTagWindowReference, static_cast<std::uint32_t>(window_id), 0, nullptr};
  }
};

// The button sets of a box's style word.
constexpr std::int32_t kBoxOk = 0;
constexpr std::int32_t kBoxOkCancel = 1;
constexpr std::int32_t kBoxYesNo = 4;
constexpr std::int32_t kBoxRetryCancel = 5;
constexpr std::int32_t kBoxIconQuestion = 0x20;
constexpr std::int32_t kBoxIconWarning = 0x30;
constexpr std::int32_t kBoxIconInformation = 0x40;

// The button a box was closed with.
enum BoxButton : std::int32_t {
  kButtonOk = 0,
  kButtonCancel = 1,
  kButtonAbort = 2,
  kButtonRetry = 3,
  kButtonIgnore = 4,
  kButtonYes = 5,
  kButtonNo = 6,
};

// Box with a text content. Style is the platform's message-box style word
// (a button set such as kBoxOkCancel, plus icon and modality bits); task
// modal is added unless system modal is given. An omitted title shows
// "信息：". Returns the BoxButton pressed, kButtonOk when the box could not
// be shown.
std::int32_t ShowMessageBox(TextView content, std::int32_t style,
                            std::optional<TextView> title = std::nullopt);
// The same for a text with parts in the system's code page (paths).
std::int32_t ShowBoxText(const BoxText& content, std::int32_t style,
                         std::optional<TextView> title = std::nullopt);

// The same for any content kind. `owner` is read only when given (the
// fourth argument record): a loaded window's reference or a raw handle as
// an integer; anything else gives no owner.
std::int32_t ShowMessageBoxOf(const BoxValue& content, std::int32_t style,
                              std::optional<TextView> title = std::nullopt,
                              const BoxValue* owner = nullptr);

// Starts a command line as given. Without wait, waits at most 1000 ms for
// the program to become idle. Show mode 1..6 (clamped), omitted = 2.
// `error` receives the system's code when the process cannot be created.
[[nodiscard]] bool RunProgram(TextView command_line, bool wait = false,
                              std::optional<std::int32_t> show_mode = std::nullopt,
                              std::uint32_t* error = nullptr);
// Starts exactly the program file at `path`, without arguments, and
// nothing else: the system is given the path as the program to start,
// so a folder name with blanks cannot make it try a shorter path first
// (C:\Program.exe for C:\Program Files\...). Otherwise as RunProgram.
[[nodiscard]] bool RunProgramFile(TextView path, bool wait = false,
                                  std::optional<std::int32_t> show_mode = std::nullopt,
                                  std::uint32_t* error = nullptr);

// The shell's "open" verb on the address; silent on failure.
void OpenWebAddress(std::optional<TextView> address = std::nullopt);

// The rules behind the commands, for their tests.
namespace dialog_rules {

// GBK box text for a content of any kind; "" for unknown kinds.
[[nodiscard]] std::string FormatContent(const BoxValue& content);
// Rounded to six significant digits the way the box shows single numbers.
[[nodiscard]] double RoundSingle(float value);
// "%d年%d月%d日" plus the time parts that are not zero.
[[nodiscard]] std::string FormatDateTime(double ole_date);
// Adds task modal unless system modal is present.
[[nodiscard]] std::uint32_t StyleWithModality(std::int32_t style);
// The platform's result to the BoxButton.
[[nodiscard]] std::int32_t ButtonNumber(int platform_result);
// ShowMode 1..6 (clamped, omitted = 2) to the platform's show value.
[[nodiscard]] int ShowWindowValue(std::optional<std::int32_t> show_mode);
// The command line that names a program file as its first argument.
[[nodiscard]] std::string QuotedCommandLine(TextView path);

}  // namespace dialog_rules

}  // namespace pelmora
