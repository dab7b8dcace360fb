// Which version folder the shortcut route takes: the newest version, not
// the last name listed.
#include "workflow_fixture.h"

#include "app/version_names.h"

namespace pelmora::testing {
namespace {

int Order(const char* a, const char* b) {
  int order = CompareVersionNames(a, b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

TEST(VersionNamesTest, NumbersCompareAsNumbersNotAsText) {
  EXPECT_EQ(Order("11.1.0.9584", "11.1.0.10132"), -1);
  EXPECT_EQ(Order("11.1.0.10000", "11.1.0.9999"), 1);
  EXPECT_EQ(Order("12.1.0.1", "11.99.99.99999"), 1);
  EXPECT_EQ(Order("2", "10"), -1);
  // Beyond any machine integer, still exact.
  EXPECT_EQ(Order("1.99999999999999999999999", "1.99999999999999999999998"), 1);
}

TEST(VersionNamesTest, EqualPrefixesAndLeadingZeros) {
  EXPECT_EQ(Order("12.1", "12.1.0.1"), -1);
  EXPECT_EQ(Order("12.1.0.1", "12.1"), 1);
  EXPECT_EQ(Order("12.1", "12.1.0"), 0);
  EXPECT_EQ(Order("12.1.0.01", "12.1.0.1"), 0);
  EXPECT_EQ(Order("12.1.0.28505", "12.1.0.28505"), 0);
}

TEST(VersionNamesTest, NamesThatAreNoVersionRankBelowEveryVersion) {
  for (const char* other : {"backup", "", "1..2", "1.2.", ".1", "12.1a", "v12.1", "1 2", "-1"}) {
    SCOPED_TRACE(other);
    EXPECT_EQ(Order(other, "0"), -1);
    EXPECT_EQ(Order("0.0.0.1", other), 1);
    EXPECT_EQ(Order(other, "zzz"), 0);
  }
}

class VersionFolderTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    InstallMathType();
    fake::Files().AddFile(Gbk(std::string(kWpsRoot) + "\\ksolaunch.exe"), "MZ");
    AddWpsShortcut();
  }
  std::string Chosen() {
    std::optional<WpsLocation> wps = Find().wps;
    if (!wps) return "(none)";
    std::string folder = wps->folders.office6.c_str();
    std::string root = Gbk(kWpsRoot) + "\\";
    if (folder.compare(0, root.size(), root) != 0) return "(elsewhere) " + folder;
    return folder.substr(root.size(), folder.size() - root.size() - std::string("\\office6").size());
  }
};

TEST_F(VersionFolderTest, TheNewestVersionWinsAcrossTheFiveDigitBuildNumber) {
  // Listed by upper-cased name: 11.1.0.10000, 11.1.0.9999.
  AddVersionFolder(kWpsRoot, "11.1.0.9999");
  AddVersionFolder(kWpsRoot, "11.1.0.10000");
  EXPECT_EQ(Chosen(), "11.1.0.10000");
}

TEST_F(VersionFolderTest, OnlyFoldersThatHoldOffice6AreCandidates) {
  AddVersionFolder(kWpsRoot, "11.1.0.9584");
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\12.1.0.1\\utility"));  // left half-removed
  AddVersionFolder(kWpsRoot, "backup");
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\wtoolex"));
  EXPECT_EQ(Chosen(), "11.1.0.9584");
}

TEST_F(VersionFolderTest, ANonVersionNameIsTakenOnlyWhenNoVersionHoldsOffice6) {
  AddVersionFolder(kWpsRoot, "office");
  EXPECT_EQ(Chosen(), "office");
}

TEST_F(VersionFolderTest, WithoutAnyOffice6TheLastSubfolderAsBefore) {
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\addons"));
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\12.1.0.1"));
  fake::Files().AddFolder(Gbk(std::string(kWpsRoot) + "\\wtoolex"));
  EXPECT_EQ(Chosen(), "wtoolex");
}

TEST_F(VersionFolderTest, ASingleFolderIsTaken) {
  AddVersionFolder(kWpsRoot, "12.1.0.28505");
  ui.answers = {0, 0};
  EXPECT_EQ(Chosen(), "12.1.0.28505");
  Run();
  EXPECT_EQ(Landed(std::string(kWpsRoot) + "\\12.1.0.28505", "MathPage.wll"), "wll-bytes");
}

}  // namespace
}  // namespace pelmora::testing
