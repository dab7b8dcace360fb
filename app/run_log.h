// The log a run appends to when the command line names one: what an
// administrator reads after an unattended run, one line per step.
#pragma once

#include <cstdint>

#include "runtime/system/fatal_report.h"
#include "runtime/system/files.h"
#include "runtime/text/box_text.h"
#include "runtime/text/values.h"

namespace pelmora {

// An unattended run's fatal report goes here too: nobody would answer its
// box, and the deployment tool would wait for it forever.
class RunLog final : public ReportSink {
 public:
  // No file: every line is dropped.
  RunLog() = default;

  // Opens the file for appending, creating it when missing; false, with
  // the system's code, when it cannot be. Folders are not created.
  bool Open(TextView path, std::uint32_t* error);

  // One line per line of `text`, each "YYYY-MM-DD HH:MM:SS text" in local
  // time, in UTF-8 so that Notepad reads it on every Windows, whatever the
  // system's code page.
  void Write(const BoxText& text);

  void TakeReport(const std::string& gbk_text) override {
    Write(BoxText(TextView(gbk_text.c_str())));
  }

 private:
  AppendedFile file_;
};

}  // namespace pelmora
