// Kernel32 and shell32 calls for the file commands. Handles cross the port
// as integers (0 = none) and are owned by the portable layer's owners; the
// invalid value of find and file handles is INVALID_HANDLE_VALUE, never 0.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "runtime/system/files_port.h"
#include "runtime/win32/library_win32.h"
#include "runtime/win32/shell_api_win32.h"
#include "runtime/win32/wide_text_win32.h"

namespace pelmora::port {

static_assert(kPathBuffer == MAX_PATH);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(kErrorNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY);
static_assert(kErrorFileExists == ERROR_FILE_EXISTS);
static_assert(kErrorCallNotImplemented == ERROR_CALL_NOT_IMPLEMENTED);
static_assert(kErrorInvalidName == ERROR_INVALID_NAME);
static_assert(kErrorFilenameExcedRange == ERROR_FILENAME_EXCED_RANGE);
static_assert(kErrorDirectory == ERROR_DIRECTORY);
static_assert((kErrorLeadsElsewhere & APPLICATION_ERROR_MASK) != 0);
static_assert(kAttributeReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(kAttributeHidden == FILE_ATTRIBUTE_HIDDEN);
static_assert(kAttributeSystem == FILE_ATTRIBUTE_SYSTEM);
static_assert(kAttributeFolder == FILE_ATTRIBUTE_DIRECTORY);
static_assert(kAttributeArchive == FILE_ATTRIBUTE_ARCHIVE);
static_assert(kAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT);
static_assert(kCsidlPrograms == CSIDL_PROGRAMS);
static_assert(kCsidlPersonal == CSIDL_PERSONAL);
static_assert(kCsidlFavorites == CSIDL_FAVORITES);
static_assert(kCsidlStartup == CSIDL_STARTUP);
static_assert(kCsidlStartMenu == CSIDL_STARTMENU);
static_assert(kCsidlDesktopDirectory == CSIDL_DESKTOPDIRECTORY);
static_assert(kCsidlFonts == CSIDL_FONTS);
static_assert(kCsidlAppData == CSIDL_APPDATA);

namespace {

HANDLE AsHandle(std::uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::uintptr_t FromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<std::uintptr_t>(handle);
}

void CopyEntry(const WIN32_FIND_DATAA& data, FoundEntry* entry) {
  entry->attributes = data.dwFileAttributes;
  std::memcpy(entry->name, data.cFileName, sizeof entry->name);
  entry->name[kPathBuffer - 1] = '\0';
}

// The directory calls write at most `size` bytes and return the length
// without NUL, or the size they would need when the path does not fit.
template <typename Call>
bool FixedFolder(Call call, char* buffer) {
  UINT length = call(buffer, kPathBuffer);
  return length != 0 && length < kPathBuffer;
}

}  // namespace

SearchHandle FindFirstEntry(const char* pattern, FoundEntry* entry, std::uint32_t* error) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return 0;
  }
  CopyEntry(data, entry);
  return FromHandle(search);
}

bool FindNextEntry(SearchHandle search, FoundEntry* entry) {
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(AsHandle(search), &data)) return false;
  CopyEntry(data, entry);
  return true;
}

void CloseSearch(SearchHandle search) { FindClose(AsHandle(search)); }

bool CopyFileReplacing(const char* source, const char* destination, std::uint32_t* error) {
  if (CopyFileA(source, destination, FALSE)) return true;
  *error = GetLastError();
  return false;
}

bool CopyFileCreatingNew(const char* source, const char* destination, std::uint32_t* error) {
  if (CopyFileA(source, destination, TRUE)) return true;
  *error = GetLastError();
  return false;
}

bool DeleteFileAt(const char* path, std::uint32_t* error) {
  if (DeleteFileA(path)) return true;
  *error = GetLastError();
  return false;
}

bool MoveFileReplacing(const char* source, const char* destination, std::uint32_t* error) {
  if (MoveFileExA(source, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  *error = GetLastError();
  return false;
}

std::string FullPathName(const char* path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return path;
  return std::string(full, length);
}

namespace {

FileHandle OpenWide(const char* path, DWORD access, DWORD sharing, DWORD disposition, DWORD flags,
                    std::uint32_t* error) {
  const win32::WideText wide = win32::WideFromSystem(path);
  HANDLE file = CreateFileW(wide.c_str(), access, sharing, nullptr, disposition, flags, nullptr);
  if (file == INVALID_HANDLE_VALUE) *error = GetLastError();
  return FromHandle(file);
}

// Reading the attributes is what checking the opened file needs.
constexpr DWORD kAppendAccess = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES;
constexpr DWORD kAppendFlags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;

}  // namespace

FileHandle OpenFileForAppending(const char* path, std::uint32_t* error) {
  return OpenWide(path, kAppendAccess, FILE_SHARE_READ, OPEN_EXISTING, kAppendFlags, error);
}

FileHandle CreateFileForAppending(const char* path, std::uint32_t* error) {
  return OpenWide(path, kAppendAccess, FILE_SHARE_READ, CREATE_NEW, kAppendFlags, error);
}

FileHandle OpenFolderForHolding(const char* path, std::uint32_t* error) {
  return OpenWide(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, error);
}

bool FileFactsOf(FileHandle file, FileFacts* facts, std::uint32_t* error) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(AsHandle(file), &information)) {
    *error = GetLastError();
    return false;
  }
  facts->attributes = information.dwFileAttributes;
  facts->links = information.nNumberOfLinks;
  return true;
}

bool FinalPathOf(FileHandle file, std::string* path, std::uint32_t* error) {
  // Vista added it.
  static const auto call = win32::LookupProcedure<DWORD WINAPI(HANDLE, LPWSTR, DWORD, DWORD)>(
      GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW");
  if (call == nullptr) {
    *error = ERROR_CALL_NOT_IMPLEMENTED;
    return false;
  }
  DWORD size = MAX_PATH + 8;
  for (int attempt = 0; attempt < 2; ++attempt) {
    win32::WideText name(size);
    const DWORD length = call(AsHandle(file), name.data(), size + 1,
                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) {
      *error = GetLastError();
      return false;
    }
    if (length <= size) {
      *path = win32::SystemFromWide(name.c_str(), static_cast<int>(length));
      return true;
    }
    size = length;  // the length it needs, its NUL included
  }
  *error = ERROR_FILENAME_EXCED_RANGE;
  return false;
}

std::string LongPathName(const char* path) {
  const win32::WideText wide = win32::WideFromSystem(path);
  const DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return path;
  win32::WideText expanded(size);
  const DWORD length = GetLongPathNameW(wide.c_str(), expanded.data(), size);
  if (length == 0 || length >= size) return path;
  return win32::SystemFromWide(expanded.c_str(), static_cast<int>(length));
}

void ToUpperCase(std::string* text) {
  if (!text->empty()) CharUpperBuffA(&(*text)[0], static_cast<DWORD>(text->size()));
}

FileHandle CreateFileForWriting(const char* path, std::uint32_t* error) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) *error = GetLastError();
  return FromHandle(file);
}

// A write that stops short (Wine does this when the disk fills up) is
// continued with the rest, so the failing call reports the system's real
// reason, such as a full disk, instead of a bare write fault.
bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t size, std::uint32_t* error) {
  const char* next = static_cast<const char*>(bytes);
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(AsHandle(file), next, size, &written, nullptr)) {
      *error = GetLastError();
      return false;
    }
    if (written == 0) {
      *error = ERROR_WRITE_FAULT;
      return false;
    }
    next += written;
    size -= written;
  }
  return true;
}

FileHandle OpenFileDenyingWrites(const char* path, std::uint32_t* error) {
  // Sharing with readers only: no writer, no rename and no delete while held.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) *error = GetLastError();
  return FromHandle(file);
}

bool FileSizeOf(FileHandle file, std::uint64_t* size, std::uint32_t* error) {
  LARGE_INTEGER value;
  if (!GetFileSizeEx(AsHandle(file), &value)) {
    *error = GetLastError();
    return false;
  }
  *size = static_cast<std::uint64_t>(value.QuadPart);
  return true;
}

bool ReadFileAt(FileHandle file, std::uint64_t offset, void* bytes, std::uint32_t size,
                std::uint32_t* read, std::uint32_t* error) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  *read = 0;
  if (!ReadFile(AsHandle(file), bytes, size, &got, &at)) {
    DWORD code = GetLastError();
    if (code == ERROR_HANDLE_EOF) return true;
    *error = code;
    return false;
  }
  *read = got;
  return true;
}

bool CloseFile(FileHandle file, std::uint32_t* error) {
  if (CloseHandle(AsHandle(file))) return true;
  *error = GetLastError();
  return false;
}

bool ShellFolderPath(int csidl, char* buffer) {
  return win32::ShellSpecialFolderPath(buffer, csidl) != FALSE;
}

bool WindowsFolderPath(char* buffer) {
  return FixedFolder([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); }, buffer);
}

bool SystemFolderPath(char* buffer) {
  return FixedFolder([](char* b, UINT n) { return GetSystemDirectoryA(b, n); }, buffer);
}

bool TempFolderPath(char* buffer) {
  return FixedFolder([](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); }, buffer);
}

}  // namespace pelmora::port
