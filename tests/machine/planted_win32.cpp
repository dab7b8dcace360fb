// A program planted where a careless launch would start it (C:\Tools\My.exe
// for C:\Tools\My Apps\vba.exe). If it ever runs, it leaves planted-ran.txt
// beside itself for the scenario's check to find.
#include <windows.h>

#include <cwchar>

int wmain() {
  wchar_t path[MAX_PATH + 32];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  wchar_t* last = std::wcsrchr(path, L'\\');
  if (last == nullptr) return 1;
  std::wcscpy(last + 1, L"planted-ran.txt");
  HANDLE mark = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (mark == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(mark);
  return 0;
}
