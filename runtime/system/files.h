// File and folder operations. Paths are GBK texts in Windows form. None of
// these shows a message: failure is the result, and where the workflow must
// tell the user why, the system's error code is handed back as well.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/system/files_port.h"
#include "runtime/system/run_directory.h"
#include "runtime/system/unique_resource.h"
#include "runtime/text/values.h"

namespace pelmora {

// The `error` of a path refused because it leads somewhere other than where
// it says: a link or junction, a folder on the way that leads elsewhere, a
// file with a second name. Not a system code, so the system has no text for
// it: whoever shows the failure says why in its own words.
inline constexpr std::uint32_t kErrorLeadsElsewhere = port::kErrorLeadsElsewhere;

// The folders GetSpecialFolder knows, by their numbers.
enum SpecialFolder : std::int32_t {
  kFolderDocuments = 1,
  kFolderFavourites = 2,
  kFolderDesktop = 3,
  kFolderFonts = 4,
  kFolderStartMenu = 5,
  kFolderPrograms = 6,
  kFolderStartup = 7,
  kFolderAppData = 8,
  kFolderWindows = 9,
  kFolderSystem = 10,
  kFolderTemp = 11,
};

// Always one trailing backslash; empty for any other number or a failing
// platform call.
[[nodiscard]] Text GetSpecialFolder(std::int32_t number);

// The caller's open directory search; 0 = none. The caller sets it to 0 on
// entry and hands its value to EndFileSearch once when it ends.
using SearchHandleSlot = std::uintptr_t;

// A non-empty pattern starts a new search (closing the slot's old one);
// an empty pattern continues. No mask = files only; a mask is cut to
// AND 55. Returns the bare name, or the empty text (slot 0) when done.
[[nodiscard]] Text FindFile(TextView pattern, std::optional<std::int32_t> attribute_mask,
                            SearchHandleSlot* slot);
void EndFileSearch(SearchHandleSlot handle);

// A search the caller owns, ended once on every way out, and FindFile on it.
using UniqueFileSearch = UniqueResource<SearchHandleSlot, &EndFileSearch>;
[[nodiscard]] Text FindFile(TextView pattern, std::optional<std::int32_t> attribute_mask,
                            UniqueFileSearch* search);

// A directory search for the path: wildcards and folders count.
[[nodiscard]] bool PathExists(TextView path);
// Replaces an existing destination. `error` receives the system's code on
// failure (0 on success); a path of 260 bytes or more fails with
// ERROR_FILENAME_EXCED_RANGE before reaching the system, as it does for
// every command here.
[[nodiscard]] bool CopyFileTo(TextView source, TextView destination,
                              std::uint32_t* error = nullptr);
// Never touches what is at the destination: fails with ERROR_FILE_EXISTS
// (80) when anything is there, a link included, so a file staged in a
// folder that others can write is always a new file of our own.
[[nodiscard]] bool CopyFileToNew(TextView source, TextView destination,
                                 std::uint32_t* error = nullptr);
[[nodiscard]] bool RemoveFile(TextView path, std::uint32_t* error = nullptr);
// Deletes and confirms the file is gone: true only when it is. A delete
// can report success and leave the file (Wine does so for a file the file
// system keeps immutable); one that survived was refused by the system,
// which is what a second attempt would say: access denied.
[[nodiscard]] bool RemoveFileForGood(TextView path, std::uint32_t* error);
// Renames `source` to `destination` in one step, replacing a destination
// that can be replaced (not read-only, not held open).
[[nodiscard]] bool MoveFileOver(TextView source, TextView destination,
                                std::uint32_t* error = nullptr);
// Created or truncated, exclusive sharing; each non-empty byte set written
// whole, straight from its block. Any failure yields false and closes the
// file; when a write or the close fails, the incomplete file is deleted
// too, so no truncated installer is ever left behind to be started. An
// empty path creates nothing.
[[nodiscard]] bool WriteBytesToFile(TextView path, std::initializer_list<ByteSetView> byte_sets,
                                    std::uint32_t* error = nullptr);

// The target stored in a shortcut, as stored (never resolved); empty when
// the path is not a shortcut or cannot be read.
[[nodiscard]] Text ReadShortcutTarget(TextView path);

// Names of the folder's immediate subfolders in listing order, hidden and
// system ones included; {1, 0} when none or the folder is missing.
[[nodiscard]] TextArray PathDirList(TextView folder);

// Closes a file the commands opened (0 = none is never passed here).
void CloseFileHandle(std::uintptr_t file);
// One open file of the commands, closed on every way out.
using UniqueFile = UniqueResource<std::uintptr_t, &CloseFileHandle>;

// An open file that nobody else may write, rename or delete while it is
// held: the installer is checked and started under this lock.
class HeldFile {
 public:
  explicit operator bool() const { return static_cast<bool>(file_); }

  // Opens for reading, denying writes and deletion to everyone else.
  static HeldFile OpenDenyingWrites(TextView path, std::uint32_t* error);
  // True when the whole content equals the bytes of `expected`.
  bool ContentEquals(ByteSetView expected, std::uint32_t* error) const;
  // True when both files hold the same bytes; false with `error` 0 when
  // they differ, with the system's code when one cannot be read.
  [[nodiscard]] bool SameContentAs(const HeldFile& other, std::uint32_t* error) const;
  [[nodiscard]] std::optional<std::uint64_t> Size() const;

 private:
  UniqueFile file_;
};

// A folder held open while files are made, renamed and deleted in it by
// path. While it is held it cannot be renamed, deleted or replaced by a
// link, so every path below it stays the path that was checked.
class HeldFolder {
 public:
  explicit operator bool() const { return static_cast<bool>(folder_); }

  // Holds the folder itself, never what a link in its place leads to.
  // Empty when refused, with `error` kErrorLeadsElsewhere: the folder is a
  // link or junction, or the system names it by another path (a folder on
  // the way leads elsewhere); ERROR_DIRECTORY (267) when it is a file;
  // otherwise the system's code of the open (ERROR_FILE_NOT_FOUND for a
  // missing folder, ERROR_PATH_NOT_FOUND when one above it is missing).
  static HeldFolder Open(TextView path, std::uint32_t* error);

 private:
  UniqueFile folder_;
};

// A file that grows at its end only, created when missing; others may read
// it meanwhile. A log is written through one.
class AppendedFile {
 public:
  explicit operator bool() const { return static_cast<bool>(file_); }
  // Refused, with `error` kErrorLeadsElsewhere and nothing created,
  // written or cut short, when the file is a link or has a second name,
  // when the system names it by another path, or when its folder is one
  // HeldFolder refuses. A missing folder is ERROR_PATH_NOT_FOUND (3):
  // folders are not created.
  static AppendedFile Open(TextView path, std::uint32_t* error);
  // Whether Open made the file.
  [[nodiscard]] bool created() const { return created_; }
  bool Append(const std::string& bytes);

 private:
  UniqueFile file_;
  bool created_ = false;
};

// The size of a file; nothing when it cannot be opened.
[[nodiscard]] std::optional<std::uint64_t> FileSize(TextView path);

// True when both files can be opened for reading and hold the same bytes.
// Opening denies writes only for the moment of the comparison, so a file
// that another program is writing counts as not the same.
[[nodiscard]] bool SameFileContent(TextView first, TextView second);

}  // namespace pelmora
