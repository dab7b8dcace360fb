#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_machine.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"

namespace pelmora {
namespace {

using fake::Files;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override { Files().Clear(); }
  void TearDown() override {
    EXPECT_EQ(Files().open_searches(), 0) << "a search was left open";
    EXPECT_EQ(Files().open_files(), 0) << "a file was left open";
    Files().Clear();
  }

  static std::vector<std::string> Names(const TextArray& list) {
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= list.ElementCount(); ++i) names.push_back(list.At(i, {0, 0}).c_str());
    return names;
  }
};

using Strings = std::vector<std::string>;

TEST_F(FilesTest, SpecialFoldersEndInExactlyOneBackslash) {
  EXPECT_EQ(GetSpecialFolder(kFolderDesktop), "C:\\users\\pelmora\\Desktop\\");
  EXPECT_EQ(GetSpecialFolder(kFolderTemp), "C:\\windows\\temp\\");
  EXPECT_EQ(GetSpecialFolder(kFolderWindows), "C:\\windows\\");
  EXPECT_EQ(GetSpecialFolder(kFolderSystem), "C:\\windows\\system32\\");
  for (int n = kFolderDocuments; n <= kFolderTemp; ++n) {
    EXPECT_FALSE(GetSpecialFolder(n).empty()) << n;
  }
  EXPECT_TRUE(GetSpecialFolder(0).is_null());
  EXPECT_TRUE(GetSpecialFolder(12).is_null());
  EXPECT_TRUE(GetSpecialFolder(-3).is_null());
}

TEST_F(FilesTest, SpecialFolderFailureOrDoubleByteEndIsHandled) {
  Files().SetSpecialFolder(kFolderDesktop, "");
  EXPECT_TRUE(GetSpecialFolder(kFolderDesktop).is_null());
  // The folder's last character ends in byte 0x5C but is no separator.
  Files().SetSpecialFolder(kFolderDocuments, "C:\\\x95\x5C");
  EXPECT_STREQ(GetSpecialFolder(kFolderDocuments).c_str(), "C:\\\x95\x5C\\");
}

class FindFileTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    Files().AddShortcut("C:\\Desk\\wps.lnk", "C:\\WPS\\office6\\wps.exe");
    Files().AddShortcut("C:\\Desk\\A.lnk", "C:\\a.exe");
    Files().AddFolder("C:\\Desk\\x.lnk");
    Files().AddFile("C:\\Desk\\notes.txt", "n");
    Files().AddFile("C:\\Desk\\hidden.lnk", "", 0x02);
  }

  Strings All(const char* pattern, std::optional<std::int32_t> mask) {
    Strings found;
    SearchHandleSlot slot = 0;
    for (Text name = FindFile(pattern, mask, &slot); !name.empty(); name = FindFile("", mask, &slot)) {
      found.push_back(name.c_str());
    }
    EXPECT_EQ(slot, 0u);
    EndFileSearch(slot);
    return found;
  }
};

TEST_F(FindFileTest, WithoutMaskReturnsFilesOnlyInListingOrderThenEmpty) {
  SearchHandleSlot slot = 0;
  EXPECT_EQ(FindFile("C:\\Desk\\*.lnk", std::nullopt, &slot), "A.lnk");
  EXPECT_NE(slot, 0u);
  EXPECT_EQ(FindFile("", std::nullopt, &slot), "hidden.lnk");
  EXPECT_EQ(FindFile("", std::nullopt, &slot), "wps.lnk");
  EXPECT_TRUE(FindFile("", std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u) << "x.lnk is a folder and must never be returned";
  EXPECT_TRUE(FindFile(TextView(nullptr), std::nullopt, &slot).is_null());
  EXPECT_EQ(Files().open_searches(), 0);
}

TEST_F(FindFileTest, MaskIsCutTo55AndZeroMeansNoAttributesAtAll) {
  EXPECT_EQ(All("C:\\Desk\\*", 0x10), (Strings{".", "..", "x.lnk"}));
  EXPECT_EQ(All("C:\\Desk\\*", 0x02), (Strings{"hidden.lnk"}));
  EXPECT_EQ(All("C:\\Desk\\*", 0x20 | 0x80), (Strings{"A.lnk", "notes.txt", "wps.lnk"}));
  // 0x40 and 0x80 are cut away, leaving a mask of 0.
  Files().AddFile("C:\\Desk\\plain.bin", "", 0);
  EXPECT_EQ(All("C:\\Desk\\*", 0xC0), (Strings{"plain.bin"}));
  EXPECT_EQ(All("C:\\Desk\\*", 0), (Strings{"plain.bin"}));
}

TEST_F(FindFileTest, ANewPatternClosesTheOpenSearch) {
  SearchHandleSlot slot = 0;
  EXPECT_EQ(FindFile("C:\\Desk\\*.lnk", std::nullopt, &slot), "A.lnk");
  EXPECT_EQ(Files().open_searches(), 1);
  EXPECT_EQ(FindFile("C:\\Desk\\*.txt", std::nullopt, &slot), "notes.txt");
  EXPECT_EQ(Files().open_searches(), 1);
  EXPECT_TRUE(FindFile("C:\\Nowhere\\*.lnk", std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u);
  EXPECT_EQ(Files().open_searches(), 0);
}

TEST_F(FindFileTest, EndFileSearchClosesAnOpenSearchAndIgnoresZero) {
  SearchHandleSlot slot = 0;
  EXPECT_FALSE(FindFile("C:\\Desk\\*.lnk", std::nullopt, &slot).empty());
  EndFileSearch(slot);
  EXPECT_EQ(Files().open_searches(), 0);
  EndFileSearch(0);
}

TEST_F(FindFileTest, OverLongPatternFailsWithoutSearching) {
  std::string pattern = "C:\\Desk\\" + std::string(260, 'a') + "*";
  SearchHandleSlot slot = 0;
  EXPECT_TRUE(FindFile(pattern.c_str(), std::nullopt, &slot).is_null());
  EXPECT_EQ(slot, 0u);
}

TEST_F(FilesTest, PathExistsIsADirectorySearch) {
  Files().AddFile("C:\\Suite\\MathPage.wll", "w");
  EXPECT_TRUE(PathExists("C:\\Suite\\MathPage.wll"));
  EXPECT_TRUE(PathExists("c:\\SUITE\\mathpage.WLL"));
  EXPECT_TRUE(PathExists("C:\\Suite"));
  EXPECT_FALSE(PathExists("C:\\Suite\\")) << "a trailing backslash finds nothing";
  EXPECT_TRUE(PathExists("C:\\Suite\\*.wll"));
  EXPECT_FALSE(PathExists("C:\\Suite\\*.dotm"));
  EXPECT_FALSE(PathExists("C:\\Suite\\missing.wll"));
  EXPECT_FALSE(PathExists(("C:\\Suite\\" + std::string(300, 'm')).c_str()));
}

TEST_F(FilesTest, CopyReplacesAndReportsTheReason) {
  Files().AddFile("C:\\src\\a.wll", "new");
  Files().AddFile("C:\\dst\\a.wll", "old and longer");
  std::uint32_t error = 99;
  EXPECT_TRUE(CopyFileTo("C:\\src\\a.wll", "C:\\dst\\a.wll", &error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(Files().ReadFile("C:\\dst\\a.wll"), "new");

  EXPECT_FALSE(CopyFileTo("C:\\src\\missing", "C:\\dst\\a.wll", &error));
  EXPECT_EQ(error, 2u);
  EXPECT_EQ(Files().ReadFile("C:\\dst\\a.wll"), "new");

  Files().FailWritesTo("C:\\dst\\a.wll", 5);
  EXPECT_FALSE(CopyFileTo("C:\\src\\a.wll", "C:\\dst\\a.wll", &error));
  EXPECT_EQ(error, 5u);
  EXPECT_FALSE(CopyFileTo("C:\\src\\a.wll", "C:\\nofolder\\a.wll"));

  std::string long_path = "C:\\dst\\" + std::string(260, 'x');
  EXPECT_FALSE(CopyFileTo("C:\\src\\a.wll", long_path.c_str(), &error));
  EXPECT_EQ(error, 206u);
}

TEST_F(FilesTest, RemoveFileDeletesOneFileOnly) {
  Files().AddFile("C:\\run\\vba.exe", "MZ");
  Files().AddFolder("C:\\run\\folder");
  std::uint32_t error = 0;
  EXPECT_TRUE(RemoveFile("C:\\run\\vba.exe", &error));
  EXPECT_FALSE(Files().Exists("C:\\run\\vba.exe"));
  EXPECT_FALSE(RemoveFile("C:\\run\\vba.exe", &error));
  EXPECT_EQ(error, 2u);
  EXPECT_FALSE(RemoveFile("C:\\run\\folder"));
  EXPECT_TRUE(Files().Exists("C:\\run\\folder"));
}

class WriteBytesTest : public FilesTest {
 protected:
  ByteSet payload_ = ByteSet::FromBytes("MZ-payload", 10);
  ByteSet tail_ = ByteSet::FromBytes("++", 2);
  ByteSet empty_;
};

TEST_F(WriteBytesTest, CreatesOrTruncatesAndWritesEachSetWhole) {
  Files().AddFile("C:\\run\\vba.exe", std::string(100, 'o'));
  std::uint32_t error = 7;
  EXPECT_TRUE(WriteBytesToFile("C:\\run\\vba.exe", {payload_, empty_, tail_}, &error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(Files().ReadFile("C:\\run\\vba.exe"), "MZ-payload++");
  EXPECT_EQ(Files().write_calls(), 2) << "empty sets write nothing, others one write each";
  EXPECT_EQ(Files().last_write_source(), tail_.view().bytes()) << "written straight from the block";

  EXPECT_TRUE(WriteBytesToFile("C:\\run\\empty.bin", {empty_}));
  EXPECT_EQ(Files().ReadFile("C:\\run\\empty.bin"), "");
}

TEST_F(WriteBytesTest, EmptyPathMissingFolderAndLongPathCreateNothing) {
  std::uint32_t error = 0;
  EXPECT_FALSE(WriteBytesToFile("", {payload_}, &error));
  EXPECT_NE(error, 0u);
  EXPECT_FALSE(WriteBytesToFile("C:\\missing\\vba.exe", {payload_}, &error));
  EXPECT_EQ(error, 3u);
  EXPECT_FALSE(Files().Exists("C:\\missing"));
  std::string long_path = "C:\\run\\" + std::string(255, 'v') + ".exe";
  Files().AddFolder("C:\\run");
  EXPECT_FALSE(WriteBytesToFile(long_path.c_str(), {payload_}, &error));
  EXPECT_EQ(error, 206u);
  EXPECT_EQ(Files().write_calls(), 0);
}

TEST_F(WriteBytesTest, AFailedWriteLeavesNoPartialFileAndReportsTheCode) {
  Files().AddFolder("C:\\run");
  Files().FailDataWritesTo("C:\\run\\vba.exe", 112, 4);  // ERROR_DISK_FULL after 4 bytes
  std::uint32_t error = 0;
  EXPECT_FALSE(WriteBytesToFile("C:\\run\\vba.exe", {payload_, tail_}, &error));
  EXPECT_EQ(error, 112u);
  EXPECT_FALSE(Files().Exists("C:\\run\\vba.exe"));
  EXPECT_EQ(Files().write_calls(), 1) << "the remaining sets are abandoned";
}

TEST_F(WriteBytesTest, AFailedCloseAlsoRemovesTheFile) {
  Files().AddFolder("C:\\run");
  Files().FailDataWritesTo("C:\\run\\vba.exe", 1117, 0, true);
  std::uint32_t error = 0;
  EXPECT_FALSE(WriteBytesToFile("C:\\run\\vba.exe", {payload_}, &error));
  EXPECT_EQ(error, 1117u);
  EXPECT_FALSE(Files().Exists("C:\\run\\vba.exe"));
}

TEST_F(WriteBytesTest, AFileThatCannotBeOpenedIsLeftAlone) {
  Files().AddFile("C:\\run\\vba.exe", "kept");
  Files().FailWritesTo("C:\\run\\vba.exe", 5);
  std::uint32_t error = 0;
  EXPECT_FALSE(WriteBytesToFile("C:\\run\\vba.exe", {payload_}, &error));
  EXPECT_EQ(error, 5u);
  EXPECT_EQ(Files().ReadFile("C:\\run\\vba.exe"), "kept");
}

TEST_F(FilesTest, HeldFileKeepsWritersAndDeletersOut) {
  ByteSet expected = ByteSet::FromBytes("MZ-payload", 10);
  ASSERT_TRUE(WriteBytesToFile("C:\\vba.exe", {expected}));
  std::uint32_t error = 0;
  {
    HeldFile held = HeldFile::OpenDenyingWrites("C:\\vba.exe", &error);
    ASSERT_TRUE(held);
    EXPECT_TRUE(held.ContentEquals(expected, &error));
    EXPECT_TRUE(held.ContentEquals(expected, &error)) << "a second check reads from the start again";
    EXPECT_FALSE(WriteBytesToFile("C:\\vba.exe", {expected}, &error));
    EXPECT_EQ(error, 32u);
    EXPECT_FALSE(RemoveFile("C:\\vba.exe", &error));
    EXPECT_EQ(error, 32u);
    HeldFile moved = std::move(held);
    EXPECT_FALSE(held);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(moved.ContentEquals(ByteSet::FromBytes("MZ-payloaX", 10), &error));
    EXPECT_EQ(error, 0u);
    EXPECT_FALSE(moved.ContentEquals(ByteSet::FromBytes("MZ", 2), &error));
  }
  EXPECT_TRUE(RemoveFile("C:\\vba.exe"));
  HeldFile missing = HeldFile::OpenDenyingWrites("C:\\vba.exe", &error);
  EXPECT_FALSE(missing);
  EXPECT_EQ(error, 2u);
}

TEST_F(FilesTest, HeldFileComparesLargeContentInChunks) {
  std::string big(200000, 'x');
  big[150001] = 'y';
  Files().AddFile("C:\\big.bin", big);
  ByteSet same = ByteSet::FromBytes(big.data(), big.size());
  std::string other = big;
  other[150001] = 'x';
  ByteSet different = ByteSet::FromBytes(other.data(), other.size());
  std::uint32_t error = 0;
  HeldFile held = HeldFile::OpenDenyingWrites("C:\\big.bin", &error);
  EXPECT_TRUE(held.ContentEquals(same, &error));
  EXPECT_FALSE(held.ContentEquals(different, &error));
}

TEST_F(FilesTest, TwoFilesAreTheSameOnlyWithEveryByteEqual) {
  std::string large(200 * 1024, 'x');
  fake::Files().AddFile("C:\\a\\one.wll", large);
  fake::Files().AddFile("C:\\b\\two.wll", large);
  large[150 * 1024] = 'y';  // past the first chunk
  fake::Files().AddFile("C:\\b\\late.wll", large);
  fake::Files().AddFile("C:\\b\\short.wll", large.substr(0, 1024));
  fake::Files().AddFile("C:\\b\\empty.wll", "");
  fake::Files().AddFile("C:\\a\\empty.wll", "");
  EXPECT_TRUE(SameFileContent("C:\\a\\one.wll", "C:\\b\\two.wll"));
  EXPECT_TRUE(SameFileContent("C:\\a\\empty.wll", "C:\\b\\empty.wll"));
  EXPECT_FALSE(SameFileContent("C:\\a\\one.wll", "C:\\b\\late.wll"));
  EXPECT_FALSE(SameFileContent("C:\\a\\one.wll", "C:\\b\\short.wll"));
  EXPECT_FALSE(SameFileContent("C:\\a\\one.wll", "C:\\b\\missing.wll"));
  EXPECT_FALSE(SameFileContent("C:\\a\\missing.wll", "C:\\b\\two.wll"));
  EXPECT_EQ(fake::Files().open_files(), 0);
  // Neither file was held against writers afterwards.
  EXPECT_TRUE(CopyFileTo("C:\\b\\late.wll", "C:\\a\\one.wll"));
}

TEST_F(FilesTest, ShortcutsGiveTheirStoredTarget) {
  Files().AddShortcut("C:\\Desk\\wps.lnk", "C:\\WPS\\11.1.0.1\\office6\\wps.exe");
  Files().AddFile("C:\\Desk\\readme.txt", "text");
  Files().AddFile("C:\\Desk\\broken.lnk", "not a link");
  EXPECT_EQ(ReadShortcutTarget("C:\\Desk\\wps.lnk"), "C:\\WPS\\11.1.0.1\\office6\\wps.exe");
  EXPECT_TRUE(ReadShortcutTarget("C:\\Desk\\readme.txt").is_null());
  EXPECT_TRUE(ReadShortcutTarget("C:\\Desk\\broken.lnk").is_null());
  EXPECT_TRUE(ReadShortcutTarget("C:\\Desk\\missing.lnk").is_null());
  EXPECT_TRUE(ReadShortcutTarget(("C:\\Desk\\" + std::string(260, 'w') + ".lnk").c_str()).is_null());
  // A target too long for the 260-byte buffer is refused, never cut short.
  Files().AddShortcut("C:\\Desk\\long.lnk", "C:\\" + std::string(300, 't'));
  EXPECT_TRUE(ReadShortcutTarget("C:\\Desk\\long.lnk").is_null());
}

class PathDirListTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    Files().AddFolder("C:\\WPS\\11.1.0.2");
    Files().AddFolder("C:\\WPS\\11.1.0.10");
    Files().AddFolder("C:\\WPS\\.hidden", 0x12);
    Files().AddFolder("C:\\WPS\\sys", 0x14);
    Files().AddFolder("C:\\WPS\\11.1.0.1\\office6\\deeper");
    Files().AddFile("C:\\WPS\\wps.exe", "MZ");
  }
};

TEST_F(PathDirListTest, ListsEveryFolderButDotEntriesInListingOrder) {
  Strings expected = {".hidden", "11.1.0.1", "11.1.0.10", "11.1.0.2", "sys"};
  EXPECT_EQ(Names(PathDirList("C:\\WPS")), expected);
  EXPECT_EQ(Names(PathDirList("C:\\WPS\\")), expected);
  EXPECT_EQ(Names(PathDirList("C:/WPS/")), expected);
  EXPECT_EQ(Names(PathDirList("C:\\WPS\\11.1.0.1")), (Strings{"office6"}));
}

TEST_F(PathDirListTest, NoFoldersOrAMissingFolderIsTheEmptyList) {
  Files().AddFile("C:\\OnlyFiles\\a.txt");
  for (const char* folder : {"C:\\OnlyFiles", "C:\\Missing", "C:\\WPS\\wps.exe"}) {
    TextArray list = PathDirList(folder);
    ASSERT_NE(list.block(), nullptr) << folder;
    EXPECT_EQ(list.ElementCount(), 0) << folder;
  }
  EXPECT_EQ(PathDirList(("C:\\" + std::string(256, 'p')).c_str()).ElementCount(), 0);
}

TEST_F(PathDirListTest, DoubleByteTrailBackslashStaysPartOfTheName) {
  Files().AddFolder("C:\\\x95\x5C\\inner");
  EXPECT_EQ(Names(PathDirList("C:\\\x95\x5C")), (Strings{"inner"}));
}

TEST(SystemErrorTest, MessagesAreTrimmedAndUnknownCodesNamed) {
  EXPECT_EQ(DescribeSystemError(5), "error 5");
  // "错误代码 70000" in GBK.
  EXPECT_STREQ(DescribeSystemError(70000).c_str(), "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB 70000");
}

}  // namespace
}  // namespace pelmora
