// What the fatal report needs from the rest of the program: holding events
// back, the error box, and ending the process.
#pragma once

namespace pelmora::port {

// Raises the event suppression count so no handler runs during the report.
void SuppressEventsForReport();
// A modal box without owner, titled "错误", error icon, OK button.
void ShowFatalErrorBox(const char* gbk_text);
// Ends the program (exit routines included) with the code.
[[noreturn]] void ExitAfterFatalReport(int exit_code);

}  // namespace pelmora::port
