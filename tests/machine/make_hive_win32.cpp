// Other accounts' registry hives for scripted test machines, run under Wine:
//   make_hive.exe save KEYS NTUSER.DAT   the keys KEYS lists, saved as a hive file
//   make_hive.exe load NAME NTUSER.DAT   the file loaded as HKEY_USERS\NAME
//   make_hive.exe list                   HKEY_USERS's subkeys, one a line
// KEYS is a UTF-8 file, one line per value, tab-separated: KEY NAME TYPE DATA, with
// KEY below the hive's root and TYPE sz or expand_sz; a line of KEY alone
// makes the key. The keys are written below a scratch key of the prefix's
// own user, which is saved and deleted again. A loaded hive stays loaded in
// the prefix's server after this program ends, as a logged-on user's does.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kScratch[] = L"PelmoraHiveScratch";

std::wstring Wide(const std::string& utf8) {
  int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

int Fail(const char* what, LONG code) {
  std::fprintf(stderr, "make_hive: %s failed with %ld\n", what, code);
  return 1;
}

bool EnablePrivilege(const wchar_t* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return false;
  }
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool enabled = LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid) &&
                 AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                 GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return enabled;
}

std::vector<std::wstring> Fields(const std::wstring& line) {
  std::vector<std::wstring> fields(1);
  for (wchar_t c : line) {
    if (c == L'\t') {
      fields.emplace_back();
    } else if (c != L'\r') {
      fields.back().push_back(c);
    }
  }
  return fields;
}

// One line of the key list below `root`; false when it cannot be written.
bool WriteLine(HKEY root, const std::vector<std::wstring>& fields) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, fields[0].c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG code = ERROR_SUCCESS;
  if (fields.size() == 4) {
    DWORD type = fields[2] == L"expand_sz" ? REG_EXPAND_SZ : REG_SZ;
    const std::wstring& data = fields[3];
    code =
        RegSetValueExW(key, fields[1].c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  } else if (fields.size() != 1) {
    code = ERROR_INVALID_DATA;
  }
  RegCloseKey(key);
  return code == ERROR_SUCCESS;
}

int Save(const wchar_t* keys_path, const wchar_t* hive_path) {
  std::FILE* keys = _wfopen(keys_path, L"rb");
  if (keys == nullptr) return Fail("opening the key list", 0);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, keys)) > 0;) text.append(buffer, n);
  std::fclose(keys);

  if (!EnablePrivilege(SE_BACKUP_NAME)) return Fail("enabling SeBackupPrivilege", GetLastError());
  RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  HKEY scratch = nullptr;
  LONG code = RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &scratch, nullptr);
  if (code != ERROR_SUCCESS) return Fail("creating the scratch key", code);
  std::wstring lines = Wide(text);
  bool written = true;
  for (std::size_t start = 0; start < lines.size();) {
    std::size_t end = lines.find(L'\n', start);
    if (end == std::wstring::npos) end = lines.size();
    std::wstring line = lines.substr(start, end - start);
    if (!line.empty() && line != L"\r") written = WriteLine(scratch, Fields(line)) && written;
    start = end + 1;
  }
  // The system refuses to save over an existing file.
  DeleteFileW(hive_path);
  code = written ? RegSaveKeyW(scratch, hive_path, nullptr) : ERROR_INVALID_DATA;
  RegCloseKey(scratch);
  RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  return code == ERROR_SUCCESS ? 0 : Fail("saving the hive", code);
}

int Load(const wchar_t* name, const wchar_t* hive_path) {
  if (!EnablePrivilege(SE_RESTORE_NAME)) return Fail("enabling SeRestorePrivilege", GetLastError());
  LONG code = RegLoadKeyW(HKEY_USERS, name, hive_path);
  return code == ERROR_SUCCESS ? 0 : Fail("loading the hive", code);
}

int List() {
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD size = 256;
    LONG code = RegEnumKeyExW(HKEY_USERS, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (code == ERROR_NO_MORE_ITEMS) return 0;
    if (code != ERROR_SUCCESS) return Fail("listing HKEY_USERS", code);
    std::printf("%s\n", Utf8(name).c_str());
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"save" && argc == 4) return Save(argv[2], argv[3]);
  if (command == L"load" && argc == 4) return Load(argv[2], argv[3]);
  if (command == L"list" && argc == 2) return List();
  std::fputs("usage: make_hive save KEYS NTUSER.DAT | load NAME NTUSER.DAT | list\n", stderr);
  return 2;
}
