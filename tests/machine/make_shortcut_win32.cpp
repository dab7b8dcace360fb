// Writes real shell shortcuts for scripted test machines: run under Wine as
//   make_shortcut.exe <shortcut.lnk> <target> [<target> ...pairs]
// Arguments are taken in the wide form so Chinese paths survive any code page.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || (argc - 1) % 2 != 0) {
    std::fputs("usage: make_shortcut <link.lnk> <target> [...]\n", stderr);
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 3;
  int failures = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
      ++failures;
      continue;
    }
    link->SetPath(argv[i + 1]);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (FAILED(file->Save(argv[i], TRUE))) ++failures;
      file->Release();
    } else {
      ++failures;
    }
    link->Release();
  }
  CoUninitialize();
  return failures == 0 ? 0 : 1;
}
