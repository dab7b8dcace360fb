// The file system calls behind the file commands, one to one with their
// Windows counterparts. Every call that can fail hands the system's error
// code back through `error`, taken at the moment of failure.
#pragma once

#include <cstdint>
#include <string>

namespace pelmora::port {

// The platform's path limit, terminating NUL included.
constexpr std::uint32_t kPathBuffer = 260;

// The system's values that the portable rules use; the adapter checks each
// against the SDK when it is compiled.
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorNotEnoughMemory = 8;
constexpr std::uint32_t kErrorFileExists = 80;
constexpr std::uint32_t kErrorCallNotImplemented = 120;
constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorFilenameExcedRange = 206;
constexpr std::uint32_t kErrorDirectory = 267;
constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeSystem = 0x04;
constexpr std::uint32_t kAttributeFolder = 0x10;
constexpr std::uint32_t kAttributeArchive = 0x20;
constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// Ours, not the system's: a path refused because it leads somewhere other
// than where it says (a link, a junction, a second name of another file's
// data). The bit the system leaves to applications keeps it apart from
// every system code.
constexpr std::uint32_t kErrorLeadsElsewhere = 0x20000001;

// An open directory search; 0 = none.
using SearchHandle = std::uintptr_t;
// An open file; 0 = none.
using FileHandle = std::uintptr_t;

struct FoundEntry {
  std::uint32_t attributes = 0;
  char name[kPathBuffer] = {};
};

// FindFirstFileA / FindNextFileA / FindClose.
[[nodiscard]] SearchHandle FindFirstEntry(const char* pattern, FoundEntry* entry,
                                          std::uint32_t* error);
[[nodiscard]] bool FindNextEntry(SearchHandle search, FoundEntry* entry);
void CloseSearch(SearchHandle search);

// CopyFileA with fail-if-exists false, with it true (whatever is at the
// destination, a link included, is neither followed nor replaced), and
// DeleteFileA.
[[nodiscard]] bool CopyFileReplacing(const char* source, const char* destination,
                                     std::uint32_t* error);
[[nodiscard]] bool CopyFileCreatingNew(const char* source, const char* destination,
                                       std::uint32_t* error);
[[nodiscard]] bool DeleteFileAt(const char* path, std::uint32_t* error);
// MoveFileExA replacing an existing destination, on disk before it
// returns.
[[nodiscard]] bool MoveFileReplacing(const char* source, const char* destination,
                                     std::uint32_t* error);

// GetFullPathNameA: the path made whole against the current folder; the
// path as given when that fails.
std::string FullPathName(const char* path);

// Created or truncated, write access, no sharing at all.
[[nodiscard]] FileHandle CreateFileForWriting(const char* path, std::uint32_t* error);
// CreateFileW to write at the file's end, the name itself opened even when
// it is a link (FILE_FLAG_OPEN_REPARSE_POINT); others may read it
// meanwhile. The first opens an existing file only, the second makes a new
// one only.
[[nodiscard]] FileHandle OpenFileForAppending(const char* path, std::uint32_t* error);
[[nodiscard]] FileHandle CreateFileForAppending(const char* path, std::uint32_t* error);
// CreateFileW of a folder itself, never what a link in its place leads to
// (backup semantics, FILE_FLAG_OPEN_REPARSE_POINT), to list it and read its
// attributes. Others may read and write in it, but while it is open it
// cannot be deleted or renamed (no FILE_SHARE_DELETE).
[[nodiscard]] FileHandle OpenFolderForHolding(const char* path, std::uint32_t* error);

struct FileFacts {
  std::uint32_t attributes = 0;
  std::uint32_t links = 0;  // names of the same data on its volume
};
// GetFileInformationByHandle.
[[nodiscard]] bool FileFactsOf(FileHandle file, FileFacts* facts, std::uint32_t* error);
// GetFinalPathNameByHandleW, normalised, with its drive letter and the
// system's "\\?\" prefix, in the process's code page; kErrorCallNotImplemented
// where the system lacks the call.
[[nodiscard]] bool FinalPathOf(FileHandle file, std::string* path, std::uint32_t* error);
// GetLongPathNameW: each short 8.3 name replaced by its long one; the path
// as given when that fails.
std::string LongPathName(const char* path);
// CharUpperBuffA: the letters in capitals as the process's code page has
// them, double-byte characters left whole.
void ToUpperCase(std::string* text);
// One write of `size` bytes; fewer bytes written counts as a failure.
[[nodiscard]] bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t size,
                               std::uint32_t* error);
// Read access, shared with readers only.
[[nodiscard]] FileHandle OpenFileDenyingWrites(const char* path, std::uint32_t* error);
[[nodiscard]] bool FileSizeOf(FileHandle file, std::uint64_t* size, std::uint32_t* error);
// Reads up to `size` bytes at `offset`; `*read` is 0 at the end.
[[nodiscard]] bool ReadFileAt(FileHandle file, std::uint64_t offset, void* bytes,
                              std::uint32_t size, std::uint32_t* read, std::uint32_t* error);
[[nodiscard]] bool CloseFile(FileHandle file, std::uint32_t* error);

// The shell's numbers of the special folders the commands offer.
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlPersonal = 5;
constexpr int kCsidlFavorites = 6;
constexpr int kCsidlStartup = 7;
constexpr int kCsidlStartMenu = 11;
constexpr int kCsidlDesktopDirectory = 16;
constexpr int kCsidlFonts = 20;
constexpr int kCsidlAppData = 26;

// SHGetSpecialFolderPathA (no owner, no create) into a kPathBuffer buffer.
[[nodiscard]] bool ShellFolderPath(int csidl, char* buffer);
// GetWindowsDirectoryA, GetSystemDirectoryA, GetTempPathA into a kPathBuffer
// buffer; false when the call fails or the path does not fit.
[[nodiscard]] bool WindowsFolderPath(char* buffer);
[[nodiscard]] bool SystemFolderPath(char* buffer);
[[nodiscard]] bool TempFolderPath(char* buffer);

}  // namespace pelmora::port
