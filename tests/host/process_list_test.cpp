// Whether a program runs from inside a folder, and the bitness of program
// files: the facts the placement asks before copying.
#include <gtest/gtest.h>

#include "fakes/code_page_fake.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_system.h"
#include "runtime/system/bitness.h"
#include "runtime/system/process_list.h"

namespace pelmora {
namespace {

using fake::Processes;

constexpr const char* kNames[] = {"wps.exe", "et.exe"};

bool RunsInside(const char* folder) { return ProgramRunsInside(folder, kNames, 2); }

class ProcessListTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::ClearSystem(); }
  void TearDown() override {
    EXPECT_EQ(Processes().open_snapshots(), 0) << "a snapshot was left open";
    fake::ClearSystem();
  }
};

TEST_F(ProcessListTest, ANamedProgramCountsOnlyInsideTheFolderIgnoringCase) {
  Processes().Start("C:\\Other\\wps.exe");
  Processes().Start("C:\\Office\\12.1\\office6\\notepad.exe");
  EXPECT_FALSE(RunsInside("C:\\Office"));

  Processes().Start("c:\\OFFICE\\12.1\\office6\\ET.EXE");
  EXPECT_TRUE(RunsInside("C:\\Office"));
  EXPECT_TRUE(RunsInside("C:\\office\\12.1"));
  EXPECT_FALSE(RunsInside("C:\\Office\\11.1"));
}

TEST_F(ProcessListTest, TheFolderMustEndAtABackslashNotInsideAName) {
  Processes().Start("C:\\Kingsoft\\WPS Office2\\wps.exe");
  EXPECT_FALSE(RunsInside("C:\\Kingsoft\\WPS Office"));
  EXPECT_TRUE(RunsInside("C:\\Kingsoft\\WPS Office2"));
}

TEST_F(ProcessListTest, SecondBytesOfDoubleByteCharactersAreNotFolded) {
  // 0x81 0x61 and 0x81 0x41 are two different GBK characters.
  Processes().Start("C:\\\x81\x61\\wps.exe");
  EXPECT_FALSE(RunsInside("C:\\\x81\x41"));
  EXPECT_TRUE(RunsInside("C:\\\x81\x61"));
}

TEST_F(ProcessListTest, CharactersAreSteppedThroughByTheSystemsCodePage) {
  // 0xE9 is "é" in code page 1252 but starts a double-byte character in
  // 936: the letter after it is compared without case only in 1252.
  Processes().Start("C:\\Caf\xE9" "a\\wps.exe");
  EXPECT_FALSE(RunsInside("C:\\Caf\xE9" "A"));
  fake::ScopedSystemCodePage western(fake::SystemCodePage::kWestern1252);
  EXPECT_TRUE(RunsInside("C:\\CAF\xE9" "A"));
}

TEST_F(ProcessListTest, ProcessesWhosePathCannotBeReadArePassedOver) {
  Processes().Start("C:\\Office\\12.1\\office6\\wps.exe", /*readable=*/false);
  EXPECT_FALSE(RunsInside("C:\\Office"));
  Processes().Start("C:\\Office\\12.1\\office6\\et.exe");
  EXPECT_TRUE(RunsInside("C:\\Office"));
}

TEST_F(ProcessListTest, OnlyProgramsOfTheListAreQueried) {
  Processes().Start("C:\\Office\\ksolaunch.exe");
  Processes().Start("C:\\Office\\wpscloudsvr.exe");
  EXPECT_FALSE(RunsInside("C:\\Office"));
  EXPECT_EQ(Processes().path_queries(), 0);
}

TEST_F(ProcessListTest, AProcessListThatCannotBeTakenCountsAsNoneRunning) {
  Processes().Start("C:\\Office\\wps.exe");
  Processes().FailSnapshots();
  EXPECT_FALSE(RunsInside("C:\\Office"));
}

class BitnessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Files().Clear();
    fake::ClearSystem();
  }
};

TEST_F(BitnessTest, ProgramFilesAreTheirBitnessAndEverythingElseUnknown) {
  fake::Files().AddFile("C:\\P\\x32.exe", fake::kProgram32);
  fake::Files().AddFile("C:\\P\\x64.exe", fake::kProgram64);
  fake::Files().AddFile("C:\\P\\notes.txt", "text");
  fake::Files().AddFolder("C:\\P\\folder.exe");
  EXPECT_EQ(BitnessOfProgram("C:\\P\\x32.exe"), ProgramBitness::k32Bit);
  EXPECT_EQ(BitnessOfProgram("C:\\P\\x64.exe"), ProgramBitness::k64Bit);
  EXPECT_EQ(BitnessOfProgram("C:\\P\\notes.txt"), ProgramBitness::kUnknown);
  EXPECT_EQ(BitnessOfProgram("C:\\P\\folder.exe"), ProgramBitness::kUnknown);
  EXPECT_EQ(BitnessOfProgram("C:\\P\\missing.exe"), ProgramBitness::kUnknown);
  std::string long_path = "C:\\" + std::string(260, 'x') + ".exe";
  fake::Files().AddFile(long_path, fake::kProgram64);
  EXPECT_EQ(BitnessOfProgram(long_path.c_str()), ProgramBitness::kUnknown);
}

TEST_F(BitnessTest, WindowsBitnessIsWhatTheSystemSays) {
  EXPECT_FALSE(WindowsIs64Bit());
  fake::SetWindows64(true);
  EXPECT_TRUE(WindowsIs64Bit());
}

}  // namespace
}  // namespace pelmora
