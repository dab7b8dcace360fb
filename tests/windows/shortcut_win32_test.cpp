// Reading shortcut targets: shortcuts made by the test, real shortcut
// files written by several Windows versions, and damaged copies of those.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "runtime/system/files.h"
#include "whole_file.h"
#include "windows/scratch_folder_win32.h"

namespace pelmora {
namespace {

using testing::ScratchFolder;

// The program initialises OLE when it first reads a shortcut (the
// end-to-end desktop scenarios show that); this test program makes
// shortcuts of its own, so it does it once for every test here.
class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};
::testing::Environment* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

// Saves a shortcut to `target` at `link` the way a shell would.
bool MakeShortcut(const std::string& link, const std::string& target) {
  IShellLinkA* shell_link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell_link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(shell_link->SetPath(target.c_str())) &&
      SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    saved = SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  }
  shell_link->Release();
  return saved;
}

std::string Utf8ToAnsi(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), n);
  int m = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(m, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), m, nullptr, nullptr);
  ansi.resize(m > 0 ? m - 1 : 0);
  return ansi;
}

TEST(ShortcutWin32, ResolvesAShortcutMadeHereToItsTarget) {
  ScratchFolder scratch;
  scratch.Write("office6\\wps.exe", "MZ");
  std::string target = scratch / "office6\\wps.exe";
  ASSERT_TRUE(MakeShortcut(scratch / "WPS Office.lnk", target));
  EXPECT_EQ(ReadShortcutTarget((scratch / "WPS Office.lnk").c_str()), target.c_str());
}

TEST(ShortcutWin32, AMovedTargetIsStillReturnedAsStored) {
  ScratchFolder scratch;
  scratch.Write("app\\tool.exe", "MZ");
  std::string target = scratch / "app\\tool.exe";
  ASSERT_TRUE(MakeShortcut(scratch / "tool.lnk", target));
  DeleteFileA(target.c_str());
  EXPECT_EQ(ReadShortcutTarget((scratch / "tool.lnk").c_str()), target.c_str());
}

TEST(ShortcutWin32, ADesktopShortcutToAProgramGivesItsFullPath) {
  std::string desktop = GetSpecialFolder(3).c_str();
  ASSERT_FALSE(desktop.empty());
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string program = std::string(system) + "\\notepad.exe";
  std::string link = desktop + "pelmora test notepad.lnk";
  ASSERT_TRUE(MakeShortcut(link, program));
  Text target = ReadShortcutTarget(link.c_str());
  DeleteFileA(link.c_str());
  EXPECT_EQ(target, program.c_str());
}

TEST(ShortcutWin32, OrdinaryAndMissingFilesAreNotShortcuts) {
  ScratchFolder scratch;
  scratch.Write("readme.txt", "text");
  scratch.Write("fake.lnk", "not a shell link at all");
  EXPECT_TRUE(ReadShortcutTarget((scratch / "readme.txt").c_str()).is_null());
  EXPECT_TRUE(ReadShortcutTarget((scratch / "fake.lnk").c_str()).is_null());
  EXPECT_TRUE(ReadShortcutTarget((scratch / "missing.lnk").c_str()).is_null());
  EXPECT_TRUE(ReadShortcutTarget(scratch.path().c_str()).is_null());
}

// The real shortcut files and what each one's target is, where known.
struct CorpusEntry {
  std::string file;
  std::string target_utf8;
};

std::string CorpusFolder() {
  std::string unix_path = PELMORA_TEST_DATA_UNIX "/lnk";
  std::string path = "Z:";
  for (char c : unix_path) path.push_back(c == '/' ? '\\' : c);
  return path;
}

std::vector<CorpusEntry> ReadCorpus() {
  std::vector<CorpusEntry> entries;
  std::string tsv = testing::WholeFile(CorpusFolder() + "\\targets.tsv").value_or("");
  std::istringstream lines(tsv);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::size_t next = line.find('\t', tab + 1);
    entries.push_back({line.substr(0, tab), line.substr(tab + 1, next - tab - 1)});
  }
  return entries;
}

class ShortcutCorpusWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    corpus_ = ReadCorpus();
    ASSERT_GE(corpus_.size(), 10u) << "no corpus at " << CorpusFolder();
  }
  std::string Copy(const CorpusEntry& entry) {
    std::string copy = scratch_ / entry.file;
    EXPECT_TRUE(CopyFileA((CorpusFolder() + "\\" + entry.file).c_str(), copy.c_str(), FALSE));
    return copy;
  }
  std::vector<CorpusEntry> corpus_;
  ScratchFolder scratch_;
};

TEST_F(ShortcutCorpusWin32, EveryKnownTargetIsReturnedAsStored) {
  int compared = 0;
  for (const CorpusEntry& entry : corpus_) {
    SCOPED_TRACE(entry.file);
    Text target = ReadShortcutTarget(Copy(entry).c_str());
    if (entry.target_utf8.empty()) {
      EXPECT_LT(target.size(), 260u);
      continue;
    }
    bool ascii = true;
    for (char c : entry.target_utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii && GetACP() != 936) continue;
    EXPECT_EQ(target, Utf8ToAnsi(entry.target_utf8).c_str());
    ++compared;
  }
  EXPECT_GE(compared, 5);
}

TEST_F(ShortcutCorpusWin32, DamagedCopiesGiveNothingOrATargetButNeverCrash) {
  int resolved = 0;
  for (const CorpusEntry& entry : corpus_) {
    std::string original = testing::WholeFile(CorpusFolder() + "\\" + entry.file).value_or("");
    ASSERT_GT(original.size(), 76u) << entry.file;
    std::vector<std::string> damaged;
    for (std::size_t length : {std::size_t{0}, std::size_t{4}, std::size_t{20}, std::size_t{76},
                               std::size_t{77}, std::size_t{90}, original.size() / 2,
                               original.size() - 1}) {
      damaged.push_back(original.substr(0, length));
    }
    // Bytes flipped in the header, the item list and the location block.
    for (std::size_t step : {3, 7, 13, 29, 61}) {
      std::string copy = original;
      for (std::size_t at = step % copy.size(); at < copy.size(); at += step * 11) {
        copy[at] = static_cast<char>(copy[at] ^ 0xFF);
      }
      damaged.push_back(copy);
    }
    for (std::size_t offset : {std::size_t{0x4C}, std::size_t{0x4E}, original.size() / 3}) {
      std::string copy = original;
      if (offset + 1 < copy.size()) copy[offset] = copy[offset + 1] = '\xFF';
      damaged.push_back(copy);
    }
    for (std::size_t i = 0; i < damaged.size(); ++i) {
      SCOPED_TRACE(entry.file + " variant " + std::to_string(i));
      std::string name = "damaged_" + std::to_string(i) + ".lnk";
      scratch_.Write(name, damaged[i]);
      Text target = ReadShortcutTarget((scratch_ / name).c_str());
      EXPECT_LT(target.size(), 260u);
      if (i == 0) {
        EXPECT_TRUE(target.is_null()) << "an empty file has no target";
      }
      if (!target.empty()) ++resolved;
    }
  }
  // Some damage (a flipped byte in an unused field) leaves the path readable.
  EXPECT_GT(resolved, 0);
}

}  // namespace
}  // namespace pelmora
