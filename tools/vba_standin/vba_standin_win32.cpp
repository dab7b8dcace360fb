// The program that development builds carry in place of the real VBA
// installer, so that the whole workflow (write vba.exe, start it, ask) can be
// exercised without shipping third-party software. It says plainly what it
// is and installs nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static const wchar_t kText[] =
      L"这是 Pelmora 开发版附带的 VBA 安装程序替代品。\r\n"
      L"它不会安装任何内容；正式版本在此处附带真正的 VBA 安装程序。\r\n"
      L"\r\n"
      L"This program stands in for the VBA installer that Pelmora carries.\r\n"
      L"It installs nothing; a release build carries the real VBA installer here.";
  static const wchar_t kTitle[] = L"VBA 安装程序替代品 / VBA installer stand-in";
  MessageBoxW(nullptr, kText, kTitle, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  return 0;
}
