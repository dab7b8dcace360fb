// The least a program that greets its user with a message box can do: one
// MessageBoxW and nothing else. The start-up benchmark measures pelmora.exe
// against it, so what is left over is our own start-up, not Wine's.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxW(nullptr, L"minimal", L"minimal", MB_OK);
  return 0;
}
