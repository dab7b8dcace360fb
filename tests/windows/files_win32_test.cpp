// The file commands against the real file system, in scratch folders under
// the temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/system/files.h"
#include "runtime/system/system_error.h"
#include "whole_file.h"
#include "windows/scratch_folder_win32.h"

namespace pelmora {
namespace {

using Strings = std::vector<std::string>;
using testing::WholeFile;
using testing::ScratchFolder;

Strings Names(const TextArray& list) {
  Strings names;
  for (std::int32_t i = 1; i <= list.ElementCount(); ++i) names.push_back(list.At(i, {0, 0}).c_str());
  return names;
}

TEST(SpecialFolderWin32, EndsInExactlyOneBackslashAndExists) {
  for (int n : {3, 9, 10, 11}) {
    SCOPED_TRACE(n);
    std::string folder = GetSpecialFolder(n).c_str();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_NE(folder[folder.size() - 2], '\\');
    EXPECT_TRUE(PathExists(folder.substr(0, folder.size() - 1).c_str()));
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(GetSpecialFolder(11), temp);
  EXPECT_TRUE(GetSpecialFolder(0).is_null());
  EXPECT_TRUE(GetSpecialFolder(12).is_null());
}

class FindFileWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_.Write("b.lnk", "b");
    scratch_.Write("a.lnk", "a");
    scratch_.Write("readme.txt", "r");
    scratch_.MakeFolder("x.lnk");
    pattern_ = scratch_ / "*.lnk";
  }
  ScratchFolder scratch_;
  std::string pattern_;
};

TEST_F(FindFileWin32, MaskOmittedReturnsTheTwoShortcutFilesButNeverTheFolder) {
  SearchHandleSlot slot = 0;
  Strings found;
  for (Text name = FindFile(pattern_.c_str(), std::nullopt, &slot); !name.empty();
       name = FindFile("", std::nullopt, &slot)) {
    found.push_back(name.c_str());
    ASSERT_LT(found.size(), 10u);
  }
  EXPECT_EQ(found, (Strings{"a.lnk", "b.lnk"}));
  EXPECT_EQ(slot, 0u);
  EXPECT_TRUE(FindFile("", std::nullopt, &slot).is_null());
  EndFileSearch(slot);
}

TEST_F(FindFileWin32, FolderMaskFindsTheDotEntriesAndTheFolder) {
  SearchHandleSlot slot = 0;
  Strings found;
  for (Text name = FindFile((scratch_ / "*").c_str(), 16, &slot); !name.empty();
       name = FindFile("", 16, &slot)) {
    found.push_back(name.c_str());
  }
  EXPECT_EQ(found, (Strings{".", "..", "x.lnk"}));
}

TEST_F(FindFileWin32, ANewPatternStartsOverWhileASearchIsOpen) {
  SearchHandleSlot slot = 0;
  EXPECT_EQ(FindFile(pattern_.c_str(), std::nullopt, &slot), "a.lnk");
  SearchHandleSlot first = slot;
  ASSERT_NE(first, 0u);
  EXPECT_EQ(FindFile((scratch_ / "*.txt").c_str(), std::nullopt, &slot), "readme.txt");
  EXPECT_NE(slot, 0u);
  EXPECT_TRUE(FindFile("", std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u);
  EXPECT_TRUE(FindFile((scratch_ / "*.none").c_str(), std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u);
}

TEST_F(FindFileWin32, PathExistsCountsFoldersAndWildcards) {
  EXPECT_TRUE(PathExists((scratch_ / "a.lnk").c_str()));
  EXPECT_TRUE(PathExists(scratch_.path().c_str()));
  EXPECT_TRUE(PathExists((scratch_ / "x.lnk").c_str()));
  EXPECT_TRUE(PathExists((scratch_ / "*.txt").c_str()));
  EXPECT_FALSE(PathExists((scratch_ / "*.dotm").c_str()));
  EXPECT_FALSE(PathExists((scratch_ / "missing.wll").c_str()));
}

class FileWritesWin32 : public ::testing::Test {
 protected:
  ScratchFolder scratch_;
  ByteSet payload_ = ByteSet::FromBytes("MZ-payload", 10);
  ByteSet empty_;
};

TEST_F(FileWritesWin32, CopyReplacesAndAMissingSourceLeavesTheDestination) {
  scratch_.Write("src.wll", "new");
  scratch_.Write("dst.wll", "old and longer");
  std::uint32_t error = 99;
  EXPECT_TRUE(CopyFileTo((scratch_ / "src.wll").c_str(), (scratch_ / "dst.wll").c_str(), &error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(WholeFile(scratch_ / "dst.wll"), "new");
  EXPECT_FALSE(CopyFileTo((scratch_ / "none.wll").c_str(), (scratch_ / "dst.wll").c_str(), &error));
  EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WholeFile(scratch_ / "dst.wll"), "new");
}

TEST_F(FileWritesWin32, RemoveFileDeletesOnceAndNeverAFolder) {
  scratch_.Write("vba.exe", "MZ");
  scratch_.MakeFolder("folder");
  std::uint32_t error = 0;
  EXPECT_TRUE(RemoveFile((scratch_ / "vba.exe").c_str(), &error));
  EXPECT_FALSE(RemoveFile((scratch_ / "vba.exe").c_str(), &error));
  EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(RemoveFile((scratch_ / "folder").c_str()));
  EXPECT_TRUE(PathExists((scratch_ / "folder").c_str()));
}

TEST_F(FileWritesWin32, WriteReplacesALongerFileWithExactlyTheBytes) {
  scratch_.Write("vba.exe", std::string(1000, 'o'));
  ByteSet tail = ByteSet::FromBytes("++", 2);
  EXPECT_TRUE(WriteBytesToFile((scratch_ / "vba.exe").c_str(), {payload_, empty_, tail}));
  EXPECT_EQ(WholeFile(scratch_ / "vba.exe"), "MZ-payload++");
}

TEST_F(FileWritesWin32, AnEmptyByteSetMakesAnEmptyFile) {
  EXPECT_TRUE(WriteBytesToFile((scratch_ / "empty.bin").c_str(), {empty_}));
  EXPECT_EQ(WholeFile(scratch_ / "empty.bin"), "");
}

TEST_F(FileWritesWin32, EmptyPathAndMissingFolderCreateNothing) {
  std::uint32_t error = 0;
  EXPECT_FALSE(WriteBytesToFile("", {payload_}, &error));
  EXPECT_FALSE(WriteBytesToFile((scratch_ / "missing\\vba.exe").c_str(), {payload_}, &error));
  EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(PathExists((scratch_ / "missing").c_str()));
}

TEST_F(FileWritesWin32, AHeldFileCannotBeReplacedOrDeleted) {
  std::string path = scratch_ / "vba.exe";
  ASSERT_TRUE(WriteBytesToFile(path.c_str(), {payload_}));
  std::uint32_t error = 0;
  {
    HeldFile held = HeldFile::OpenDenyingWrites(path.c_str(), &error);
    ASSERT_TRUE(held) << error;
    EXPECT_TRUE(held.ContentEquals(payload_, &error));
    EXPECT_FALSE(held.ContentEquals(ByteSet::FromBytes("MZ-payloaX", 10), &error));
    EXPECT_FALSE(held.ContentEquals(ByteSet::FromBytes("MZ", 2), &error));
    EXPECT_FALSE(WriteBytesToFile(path.c_str(), {empty_}, &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(RemoveFile(path.c_str(), &error));
    std::string moved = scratch_ / "moved.exe";
    EXPECT_FALSE(MoveFileA(path.c_str(), moved.c_str()));
    // Readers are still welcome.
    EXPECT_EQ(WholeFile(path), "MZ-payload");
  }
  EXPECT_TRUE(RemoveFile(path.c_str()));
}

TEST_F(FileWritesWin32, LargeContentIsComparedInChunks) {
  std::string big(300000, 'x');
  big[200001] = 'y';
  scratch_.Write("big.bin", big);
  std::uint32_t error = 0;
  HeldFile held = HeldFile::OpenDenyingWrites((scratch_ / "big.bin").c_str(), &error);
  ASSERT_TRUE(held);
  EXPECT_TRUE(held.ContentEquals(ByteSet::FromBytes(big.data(), big.size()), &error));
  big[200001] = 'x';
  EXPECT_FALSE(held.ContentEquals(ByteSet::FromBytes(big.data(), big.size()), &error));
}

// The status report compares WPS's copies with MathType's while WPS may
// have them open: a reader does not stand in the way, a writer does.
TEST_F(FileWritesWin32, TwoFilesCompareByteForByteBesideAReaderButNotAWriter) {
  std::string big(300000, 'x');
  scratch_.Write("one.wll", big);
  scratch_.Write("two.wll", big);
  big[200001] = 'y';
  scratch_.Write("late.wll", big);
  const std::string one = scratch_ / "one.wll";
  const std::string two = scratch_ / "two.wll";
  EXPECT_TRUE(SameFileContent(one.c_str(), two.c_str()));
  EXPECT_FALSE(SameFileContent(one.c_str(), (scratch_ / "late.wll").c_str()));
  EXPECT_FALSE(SameFileContent(one.c_str(), (scratch_ / "none.wll").c_str()));

  HANDLE reader = CreateFileA(two.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SameFileContent(one.c_str(), two.c_str()));
  CloseHandle(reader);

  HANDLE writer = CreateFileA(two.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SameFileContent(one.c_str(), two.c_str()));
  CloseHandle(writer);
  // Nothing is left holding either file.
  EXPECT_TRUE(RemoveFile(one.c_str()));
  EXPECT_TRUE(RemoveFile(two.c_str()));
}

class PathDirListWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_.MakeFolder("11.1.0.1");
    scratch_.MakeFolder("hidden");
    SetFileAttributesA((scratch_ / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    scratch_.Write("11.1.0.1\\office6\\wps.exe", "MZ");
    scratch_.Write("file.txt", "f");
  }
  ScratchFolder scratch_;
};

TEST_F(PathDirListWin32, ListsHiddenFoldersWithOrWithoutTrailingSeparator) {
  Strings expected = {"11.1.0.1", "hidden"};
  EXPECT_EQ(Names(PathDirList(scratch_.path().c_str())), expected);
  EXPECT_EQ(Names(PathDirList((scratch_.path() + "\\").c_str())), expected);
  EXPECT_EQ(Names(PathDirList((scratch_ / "11.1.0.1").c_str())), (Strings{"office6"}));
}

TEST_F(PathDirListWin32, MissingFolderAndFilesOnlyGiveTheEmptyList) {
  TextArray missing = PathDirList((scratch_ / "nowhere").c_str());
  ASSERT_NE(missing.block(), nullptr);
  EXPECT_EQ(missing.ElementCount(), 0);
  EXPECT_EQ(PathDirList((scratch_ / "11.1.0.1\\office6").c_str()).ElementCount(), 0);
}

TEST(PathLimitsWin32, OverLongPathsFailCleanly) {
  ScratchFolder scratch;
  std::string name = std::string(300, 'L');
  std::string long_path = scratch / name;
  ByteSet payload = ByteSet::FromBytes("MZ", 2);
  std::uint32_t error = 0;
  SearchHandleSlot slot = 0;
  EXPECT_FALSE(PathExists(long_path.c_str()));
  EXPECT_TRUE(FindFile(long_path.c_str(), std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u);
  EXPECT_FALSE(WriteBytesToFile(long_path.c_str(), {payload}, &error));
  EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(CopyFileTo(long_path.c_str(), (scratch / "x").c_str(), &error));
  EXPECT_FALSE(RemoveFile(long_path.c_str(), &error));
  EXPECT_TRUE(ReadShortcutTarget((long_path + ".lnk").c_str()).is_null());
  EXPECT_EQ(PathDirList(long_path.c_str()).ElementCount(), 0);
  EXPECT_FALSE(PathExists((scratch / "x").c_str())) << "nothing was created by a cut-short path";
  // A path that only just fits (259 bytes and its NUL) is written.
  std::string fits = scratch.path() + "\\";
  fits += std::string(259 - fits.size(), 'f');
  EXPECT_TRUE(WriteBytesToFile(fits.c_str(), {payload}, &error)) << error;
  EXPECT_TRUE(PathExists(fits.c_str()));
}

TEST(SystemErrorWin32, SystemMessagesAreTrimmedAndUnknownCodesNamed) {
  std::string text = DescribeSystemError(ERROR_FILE_NOT_FOUND).c_str();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_NE(text.back(), '.');
  // "错误代码 3735928559" in GBK.
  EXPECT_STREQ(DescribeSystemError(0xDEADBEEFu).c_str(), "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB 3735928559");
}

}  // namespace
}  // namespace pelmora
