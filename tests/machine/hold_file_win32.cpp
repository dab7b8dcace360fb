// Holds a file open without sharing, as WPS does with its add-ins while it
// runs:   hold_file.exe <path> <seconds>
// Creates the file if it is missing.
#include <windows.h>

#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
  CloseHandle(file);
  return 0;
}
