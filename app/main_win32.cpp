// Process entry of pelmora.exe.
#include <windows.h>

#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // The start routine's result is the exit code; the runtime shuts down
  // (exit routines included) before the process ends with it.
  pelmora::ExitProgram(pelmora::ProgramStart(arguments));
}
