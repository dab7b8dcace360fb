// Asks the system what a hostile machine really looks like to a 32-bit
// ANSI program, so scenarios can state facts instead of assumptions:
//   probe.exe value <key below HKLM> <value name>   type, size, data bytes in hex
//                                                  as RegQueryValueExA returns them
//   probe.exe keys <key below HKLM> <buffer size>   how RegEnumKeyA reports each
//                                                  subkey name (length or error)
//   probe.exe readonly <path>                      sets the read-only attribute
//   probe.exe copy <source> <destination>          CopyFileA, replacing
// Prints one line per fact; the exit code is 0 when the call was made.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Narrow(const wchar_t* wide) {
  int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_ACP, 0, wide, -1, &out[0], n, nullptr, nullptr);
  return out;
}

int QueryValue(const std::string& key_path, const std::string& name) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) {
    std::printf("open error %ld\n", rc);
    return 1;
  }
  DWORD type = 0;
  DWORD size = 0;
  rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<unsigned char> data(size + 1);
  if (rc == ERROR_SUCCESS) rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) {
    std::printf("query error %ld\n", rc);
    return 1;
  }
  std::printf("type %lu size %lu data", type, size);
  for (DWORD i = 0; i < size && i < 64; ++i) std::printf(" %02x", data[i]);
  std::printf("\n");
  return 0;
}

int ListKeys(const std::string& key_path, DWORD buffer_size) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyA(HKEY_LOCAL_MACHINE, key_path.c_str(), &key);
  if (rc != ERROR_SUCCESS) {
    std::printf("open error %ld\n", rc);
    return 1;
  }
  std::vector<char> name(buffer_size + 1);
  for (DWORD index = 0;; ++index) {
    rc = RegEnumKeyA(key, index, name.data(), buffer_size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_SUCCESS) {
      std::printf("%lu length %u\n", index, static_cast<unsigned>(lstrlenA(name.data())));
    } else {
      std::printf("%lu error %ld\n", index, rc);
    }
  }
  RegCloseKey(key);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  if (command == L"value" && argc == 4) return QueryValue(Narrow(argv[2]), Narrow(argv[3]));
  if (command == L"keys" && argc == 4) {
    return ListKeys(Narrow(argv[2]), static_cast<DWORD>(_wtoi(argv[3])));
  }
  if (command == L"readonly") {
    DWORD attributes = GetFileAttributesW(argv[2]);
    BOOL ok = attributes != INVALID_FILE_ATTRIBUTES &&
              SetFileAttributesW(argv[2], attributes | FILE_ATTRIBUTE_READONLY);
    DWORD error = ok ? 0 : GetLastError();
    std::printf("readonly %s error %lu attributes 0x%lx\n", ok ? "set" : "failed", error,
                GetFileAttributesW(argv[2]));
    return ok ? 0 : 1;
  }
  if (command == L"copy" && argc == 4) {
    BOOL ok = CopyFileA(Narrow(argv[2]).c_str(), Narrow(argv[3]).c_str(), FALSE);
    DWORD error = ok ? 0 : GetLastError();
    std::printf("copy %s error %lu\n", ok ? "made" : "failed", error);
    return 0;
  }
  return 2;
}
