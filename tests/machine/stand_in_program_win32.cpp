// Stands in for a WPS program the user keeps open, copied under its name
// (wps.exe) into WPS's office6 folder: runs until the given file is gone,
// or for ten minutes at most, so that nothing outlives a scenario.
//   stand_in_program.exe <file>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  if (GetFileAttributesW(argv[1]) == INVALID_FILE_ATTRIBUTES) return 1;
  for (int waited = 0; waited < 600 * 20; ++waited) {
    if (GetFileAttributesW(argv[1]) == INVALID_FILE_ATTRIBUTES) return 0;
    Sleep(50);
  }
  return 3;
}
