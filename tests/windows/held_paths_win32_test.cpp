// Folders held while files are written in them by path, the log's file,
// and copies made only as new files, against the real file system. Wine
// cannot make a junction, but the build leaves a Unix symbolic link for the
// tests (PELMORA_LINK_FIXTURE), which Wine follows as Windows follows a
// junction a user planted.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/system/files.h"
#include "whole_file.h"
#include "windows/scratch_folder_win32.h"

namespace pelmora {
namespace {

using testing::ScratchFolder;
using testing::WholeFile;

constexpr std::uint32_t Code(DWORD code) { return static_cast<std::uint32_t>(code); }

TEST(HeldFolderWin32, WhileHeldTheFolderCannotBeRenamedOrDeletedButItsFilesCan) {
  ScratchFolder scratch;
  scratch.Write("startup\\a.wll", "a");
  const std::string folder = scratch / "startup";
  const std::string moved = scratch / "moved";
  {
    std::uint32_t error = 99;
    const HeldFolder held = HeldFolder::Open(folder.c_str(), &error);
    ASSERT_TRUE(held) << error;
    EXPECT_EQ(error, 0u);
    EXPECT_TRUE(MoveFileOver((folder + "\\a.wll").c_str(), (folder + "\\b.wll").c_str()));
    EXPECT_FALSE(MoveFileA(folder.c_str(), moved.c_str()));
    EXPECT_TRUE(RemoveFile((folder + "\\b.wll").c_str()));
    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
  }
  EXPECT_TRUE(MoveFileA(folder.c_str(), moved.c_str()));
}

TEST(HeldFolderWin32, OtherSpellingsOfTheFolderAreItButAFileAMissingFolderOrALinkIsNot) {
  ScratchFolder scratch;
  scratch.Write("Office6\\wps.exe", "MZ");
  const std::string chinese = scratch / "\xD6\xD0\xCE\xC4";  // "中文" in code page 936
  scratch.MakeFolder("\xD6\xD0\xCE\xC4");
  std::string lower = scratch / "office6\\";
  CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
  for (const std::string& path :
       {scratch / "Office6", lower, scratch / "Office6\\..\\Office6", chinese}) {
    std::uint32_t error = 99;
    EXPECT_TRUE(HeldFolder::Open(path.c_str(), &error)) << path << " " << error;
  }
  std::uint32_t error = 0;
  EXPECT_FALSE(HeldFolder::Open((scratch / "Office6\\wps.exe").c_str(), &error));
  EXPECT_EQ(error, Code(ERROR_DIRECTORY));
  EXPECT_FALSE(HeldFolder::Open((scratch / "missing").c_str(), &error));
  EXPECT_EQ(error, Code(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(HeldFolder::Open((scratch / "missing\\startup").c_str(), &error));
  EXPECT_EQ(error, Code(ERROR_PATH_NOT_FOUND));

  // A folder that is a link, or lies beyond one, is refused; the log too.
  const std::string fixture = PELMORA_LINK_FIXTURE;
  EXPECT_TRUE(HeldFolder::Open((fixture + "\\real\\inner").c_str(), &error)) << error;
  for (const char* through : {"\\link", "\\link\\inner"}) {
    EXPECT_FALSE(HeldFolder::Open((fixture + through).c_str(), &error)) << through;
    EXPECT_EQ(error, kErrorLeadsElsewhere) << through;
  }
  DeleteFileA((fixture + "\\real\\pelmora.log").c_str());  // a failed run's leftover
  EXPECT_FALSE(AppendedFile::Open((fixture + "\\link\\pelmora.log").c_str(), &error));
  EXPECT_EQ(error, kErrorLeadsElsewhere);
  EXPECT_FALSE(WholeFile(fixture + "/real/pelmora.log").has_value()) << "nothing was created";
}

TEST(AppendedFileWin32, AppendsToItsOwnFileAndRefusesOneWithASecondName) {
  ScratchFolder scratch;
  const std::string log = scratch / "pelmora.log";
  std::uint32_t error = 99;
  {
    AppendedFile file = AppendedFile::Open(log.c_str(), &error);
    ASSERT_TRUE(file) << error;
    EXPECT_TRUE(file.created());
    EXPECT_TRUE(file.Append("one\r\n"));
  }
  {
    AppendedFile file = AppendedFile::Open(log.c_str(), &error);
    ASSERT_TRUE(file) << error;
    EXPECT_FALSE(file.created());
    EXPECT_TRUE(file.Append("two\r\n"));
  }
  EXPECT_EQ(WholeFile(log), "one\r\ntwo\r\n");

  ASSERT_TRUE(CreateHardLinkA((scratch / "other.txt").c_str(), log.c_str(), nullptr));
  EXPECT_FALSE(AppendedFile::Open(log.c_str(), &error));
  EXPECT_EQ(error, kErrorLeadsElsewhere);
  EXPECT_FALSE(AppendedFile::Open((scratch / "missing\\pelmora.log").c_str(), &error));
  EXPECT_EQ(error, Code(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(WholeFile(log), "one\r\ntwo\r\n");
}

TEST(CopyFileToNewWin32, MakesANewFileButNeverTouchesOneThatIsThere) {
  ScratchFolder scratch;
  scratch.Write("MathPage.wll", "new");
  scratch.Write("startup\\MathPage.wll", "old");
  const std::string source = scratch / "MathPage.wll";
  std::uint32_t error = 99;
  EXPECT_TRUE(CopyFileToNew(source.c_str(), (scratch / "staged.wll").c_str(), &error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(WholeFile(scratch / "staged.wll"), "new");
  EXPECT_FALSE(CopyFileToNew(source.c_str(), (scratch / "startup\\MathPage.wll").c_str(), &error));
  EXPECT_EQ(error, Code(ERROR_FILE_EXISTS));
  EXPECT_EQ(WholeFile(scratch / "startup\\MathPage.wll"), "old");
}

}  // namespace
}  // namespace pelmora
