// Process entry of pelmora.exe.
#include <windows.h>

#include "app/program_start.h"
#include "runtime/window/window_engine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // The start routine's result is the exit code; the runtime shuts down
  // (exit routines included) before the process ends with it.
  pelmora::ExitProgram(pelmora::ProgramStart(arguments));
}
