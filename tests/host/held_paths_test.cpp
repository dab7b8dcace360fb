// Links planted where the program writes by path, on the fake machine: a
// junction shows its attribute when opened itself, and whatever lies
// beyond one is named by the system under its target.
#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_machine.h"
#include "runtime/system/files.h"
#include "runtime/system/opened_path.h"

namespace pelmora {
namespace {

using fake::Files;

constexpr char kWps[] = "C:\\users\\li\\AppData\\Local\\Kingsoft\\WPS Office";

class HeldPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Files().Clear();
    Files().AddFile(std::string(kWps) + "\\office6\\startup\\MathPage.wll", "old");
    Files().AddFolder("C:\\ProgramData\\Pelmora");
  }
  void TearDown() override {
    EXPECT_EQ(Files().open_files(), 0) << "a handle was left open";
    Files().Clear();
  }
  static std::string Wps(const char* below) { return std::string(kWps) + below; }
};

TEST_F(HeldPathsTest, AJunctionOrAFolderBeyondOneIsRefusedAndAnyRealFolderHeld) {
  std::uint32_t error = 99;
  EXPECT_TRUE(HeldFolder::Open(Wps("\\office6\\startup\\").c_str(), &error));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(HeldFolder::Open(Wps("\\office6\\startup\\MathPage.wll").c_str(), &error));
  EXPECT_EQ(error, port::kErrorDirectory);
  Files().MakeLink(Wps("\\office6"), "C:\\windows\\system32");
  for (const char* below : {"\\office6", "\\office6\\startup"}) {
    EXPECT_FALSE(HeldFolder::Open(Wps(below).c_str(), &error)) << below;
    EXPECT_EQ(error, kErrorLeadsElsewhere) << below;
  }
  // Where the system cannot name open files, the junction's attribute
  // still gives it away; what lies beyond it can no longer be told.
  Files().SetFinalPathCallMissing(true);
  EXPECT_FALSE(HeldFolder::Open(Wps("\\office6").c_str(), &error));
  EXPECT_EQ(error, kErrorLeadsElsewhere);
  EXPECT_TRUE(HeldFolder::Open(Wps("\\office6\\startup").c_str(), &error));
}

TEST_F(HeldPathsTest, ALogThatLeadsElsewhereIsNeitherCreatedNorWritten) {
  Files().AddFile("C:\\ProgramData\\Pelmora\\linked.log", "kept");
  Files().SetLinkCount("C:\\ProgramData\\Pelmora\\linked.log", 2);
  Files().AddFolder("C:\\logs");
  Files().MakeLink("C:\\logs", "C:\\windows\\system32\\config");
  const std::string before = Files().Listing();
  std::uint32_t error = 0;
  for (const char* log : {"C:\\ProgramData\\Pelmora\\linked.log", "C:\\logs\\pelmora.log"}) {
    EXPECT_FALSE(AppendedFile::Open(log, &error)) << log;
    EXPECT_EQ(error, kErrorLeadsElsewhere) << log;
  }
  EXPECT_EQ(Files().Listing(), before);

  EXPECT_FALSE(AppendedFile::Open("C:\\missing\\pelmora.log", &error));
  EXPECT_EQ(error, port::kErrorPathNotFound);
  AppendedFile log = AppendedFile::Open("C:\\ProgramData\\Pelmora\\pelmora.log", &error);
  EXPECT_TRUE(log);
  EXPECT_TRUE(log.created());
}

TEST(FinalPathPrefix, IsTakenOffAsThePathWouldBeWritten) {
  EXPECT_EQ(WithoutFinalPathPrefix("\\\\?\\C:\\Program Files"), "C:\\Program Files");
  EXPECT_EQ(WithoutFinalPathPrefix("\\\\?\\UNC\\server\\share\\wps"), "\\\\server\\share\\wps");
  EXPECT_EQ(WithoutFinalPathPrefix("C:\\x"), "C:\\x");
}

}  // namespace
}  // namespace pelmora
