// The process list, program bitness and registry views against the real
// system: what the placement asks before copying, and what the places
// beyond the machine-wide scan are read with.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/system/bitness.h"
#include "runtime/system/process_list.h"
#include "runtime/system/registry.h"
#include "scratch_folder_win32.h"

namespace pelmora {
namespace {

// This test program's own image: its folder and its file name.
struct OwnImage {
  std::string folder;
  std::string name;
};
OwnImage ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full = path;
  std::size_t slash = full.rfind('\\');
  return {full.substr(0, slash), full.substr(slash + 1)};
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

TEST(ProcessListWin32, FindsThisProgramInsideItsFolderOnly) {
  OwnImage own = ThisProgram();
  const char* names[] = {"wps.exe", own.name.c_str()};
  EXPECT_TRUE(ProgramRunsInside(own.folder.c_str(), names, 2));
  EXPECT_TRUE(ProgramRunsInside(Upper(own.folder).c_str(), names, 2));
  std::string parent = own.folder.substr(0, own.folder.rfind('\\'));
  EXPECT_TRUE(ProgramRunsInside(parent.c_str(), names, 2));
  // A folder whose name only begins like ours holds nothing of ours.
  EXPECT_FALSE(ProgramRunsInside(own.folder.substr(0, own.folder.size() - 1).c_str(), names, 2));
  EXPECT_FALSE(ProgramRunsInside(own.folder.c_str(), names, 1));
}

// The product is 32-bit; its test twin, 64-bit.
TEST(BitnessWin32, ThisProgramHasTheBuildsBitnessAndOtherFilesAreUnknown) {
  EXPECT_EQ(BitnessOfProgram((ThisProgram().folder + "\\" + ThisProgram().name).c_str()),
            sizeof(void*) == 8 ? ProgramBitness::k64Bit : ProgramBitness::k32Bit);
  testing::ScratchFolder scratch;
  scratch.Write("notes.exe", "not a program");
  EXPECT_EQ(BitnessOfProgram((scratch / "notes.exe").c_str()), ProgramBitness::kUnknown);
  EXPECT_EQ(BitnessOfProgram((scratch / "missing.exe").c_str()), ProgramBitness::kUnknown);
}

TEST(BitnessWin32, WindowsIs64BitExactlyWhenItHasAWow64Folder) {
  char folder[MAX_PATH] = {};
  bool has_wow64_folder = GetSystemWow64DirectoryA(folder, MAX_PATH) != 0;
  EXPECT_EQ(WindowsIs64Bit(), has_wow64_folder);
}

constexpr char kScratchKey[] = "Software\\PelmoraViewTest";

class RegistryViewWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    for (const char* name : {"b", "Kingsoft Office", "A"}) {
      HKEY key = nullptr;
      std::string path = std::string(kScratchKey) + "\\" + name;
      ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
                ERROR_SUCCESS);
      RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                     static_cast<DWORD>(std::strlen(name) + 1));
      RegCloseKey(key);
    }
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
};

TEST_F(RegistryViewWin32, SubkeysAreListedInTheRegistrysOrder) {
  std::vector<std::string> names;
  for (const Text& name : RegistrySubkeyNames(RegistryView::kOwn, 3, kScratchKey)) {
    names.emplace_back(name.c_str());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "Kingsoft Office"}));
  EXPECT_TRUE(RegistrySubkeyNames(RegistryView::kOwn, 3, "Software\\PelmoraNoSuchKey").empty());
}

TEST_F(RegistryViewWin32, TheUsersKeysReadTheSameInThe64BitView) {
  std::string value = std::string(kScratchKey) + "\\Kingsoft Office\\DisplayName";
  EXPECT_EQ(ReadRegistryTextIn(RegistryView::k64Bit, 3, value.c_str()), "Kingsoft Office");
  EXPECT_TRUE(RegistryItemExistsIn(RegistryView::k64Bit, 3, value.c_str()));
  EXPECT_EQ(RegistrySubkeyNames(RegistryView::k64Bit, 3, kScratchKey).size(), 3u);
}

}  // namespace
}  // namespace pelmora
