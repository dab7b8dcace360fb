// Host stand-in for the fatal report's box and exit: the box text goes to
// stderr (as UTF-8, so death tests can match it) and the process ends with
// the real exit code.
#include <cstdio>
#include <cstdlib>

#include "fakes/gbk.h"
#include "runtime/system/fatal_port.h"

namespace pelmora::port {

void SuppressEventsForReport() {}

void ShowFatalErrorBox(const char* gbk_text) {
  std::fprintf(stderr, u8"[错误 box]\n%s", fake::GbkToUtf8(gbk_text).c_str());
  std::fflush(stderr);
}

void ExitAfterFatalReport(int exit_code) { std::exit(exit_code); }

}  // namespace pelmora::port
