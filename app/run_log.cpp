#include "app/run_log.h"

#include <string>

#include "runtime/system/session.h"

namespace pelmora {

bool RunLog::Open(TextView path, std::uint32_t* error) {
  file_ = AppendedFile::Open(path, error);
  if (!file_) return false;
  // A new file says it is UTF-8; an existing one is appended to as it is.
  if (file_.created()) file_.Append("\xEF\xBB\xBF");
  return true;
}

void RunLog::Write(const BoxText& text) {
  if (!file_) return;
  const std::string stamp = LocalTimeStamp().c_str();
  const std::string utf8 = text.Utf8();
  // Readers break lines at a lone CR or LF too, so each of them starts a
  // stamped line here as CR LF does: a value (a name read from the
  // registry, say) never begins a line of the file and passes for ours.
  std::string lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = utf8.find_first_of("\r\n", start);
    lines += stamp + " " + utf8.substr(start, end - start) + "\r\n";
    if (end == std::string::npos) break;
    start = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  // Not examined: a log that stops growing must not change what the run
  // does, and there is nowhere left to say so.
  static_cast<void>(file_.Append(lines));
}

}  // namespace pelmora
