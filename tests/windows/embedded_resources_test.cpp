// What pelmora.exe carries, looked at from outside: the built program is
// loaded as a data file next to this test program and its resources are
// compared with the files the build generated.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_form.h"
#include "app/vba_payload.h"
#include "app/vba_payload_win32.h"
#include "resources/resource_ids.h"
#include "runtime/window/form_description.h"
#include "runtime/win32/owners_win32.h"
#include "whole_file.h"

namespace pelmora {
namespace {

using testing::WholeFile;
using win32::UniqueModule;

// The build folder: this program lives in <build>\tests.
std::string BuildFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.resize(folder.rfind('\\'));
  folder.resize(folder.rfind('\\'));
  return folder;
}

std::string Resource(HMODULE module, int id, int type) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  if (info == nullptr) return std::string();
  const void* p = LockResource(LoadResource(module, info));
  return p ? std::string(static_cast<const char*>(p), SizeofResource(module, info)) : std::string();
}

// The libraries the image imports, lower-cased, read from its import
// directory. The image is this build's, so its headers have this build's
// width.
std::vector<std::string> ImportedLibraries(const std::string& image) {
  std::vector<std::string> names;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  const auto at = [&](DWORD rva) -> const char* {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
        return image.data() + (rva - s.VirtualAddress + s.PointerToRawData);
      }
    }
    return nullptr;
  };
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(imports.VirtualAddress));
  for (; entry != nullptr && entry->Name != 0; ++entry) {
    std::string name = at(entry->Name);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  return names;
}

// Every library the program imports is mapped before the notice can show;
// shell32 and ole32 (and theirs) are loaded by the calls that need them.
TEST(ProgramImage, StartsWithoutTheShellOrOleLibraries) {
  const std::string image = WholeFile(BuildFolder() + "\\app\\pelmora.exe").value_or("");
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
  const std::vector<std::string> names = ImportedLibraries(image);
  ASSERT_FALSE(names.empty());
  EXPECT_NE(std::find(names.begin(), names.end(), "user32.dll"), names.end());
  for (const char* late : {"shell32.dll", "ole32.dll", "oleaut32.dll"}) {
    EXPECT_EQ(std::find(names.begin(), names.end(), late), names.end()) << late;
  }
}

class EmbeddedResources : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_.reset(LoadLibraryExA((BuildFolder() + "\\app\\pelmora.exe").c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe_) << "pelmora.exe not built next to the tests";
  }
  UniqueModule exe_;
};

TEST_F(EmbeddedResources, FormDescriptionIsTheCompiledFormAndReads) {
  const std::string stored = Resource(exe_.get(), PELMORA_FORM_DESCRIPTION, 10);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(stored, WholeFile(BuildFolder() + "\\resources\\main_window.formdata"));
  FormDescription form;
  ASSERT_TRUE(ReadFormDescription(reinterpret_cast<const unsigned char*>(stored.data()),
                                  stored.size(), &form));
  ASSERT_EQ(form.windows.size(), 1u);
  EXPECT_EQ(form.windows[0].window_id, kMainWindowId);
}

TEST_F(EmbeddedResources, ApplicationIconIsOne256PixelImage) {
  // GRPICONDIR: reserved, type 1, count; then 14-byte entries.
  const std::string group = Resource(exe_.get(), PELMORA_ICON, 14);
  ASSERT_EQ(group.size(), 6u + 14u);
  EXPECT_EQ(group.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
  EXPECT_EQ(group[6], 0) << "width 256";
  EXPECT_EQ(group[7], 0) << "height 256";
  EXPECT_EQ(static_cast<unsigned char>(group[12]), 32) << "bits per pixel";
  const WORD image_id = static_cast<WORD>(static_cast<unsigned char>(group[18]) |
                                          static_cast<unsigned char>(group[19]) << 8);
  const std::string image = Resource(exe_.get(), image_id, 3);
  EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(EmbeddedResources, PayloadViewPointsIntoTheResourceAndHoldsThePackedInstaller) {
  const ByteSetView payload = VbaInstallerPayloadIn(exe_.get());
  ASSERT_NE(payload.block(), nullptr);
  const std::string packed = WholeFile(BuildFolder() + "\\resources\\vba_payload.byteset").value_or("");
  ASSERT_GE(packed.size(), 8u);
  ASSERT_EQ(static_cast<std::size_t>(payload.count()), packed.size() - 8);
  EXPECT_EQ(std::memcmp(payload.block(), packed.data(), packed.size()), 0);

  HRSRC info = FindResourceA(exe_.get(), MAKEINTRESOURCEA(PELMORA_VBA_PAYLOAD), MAKEINTRESOURCEA(10));
  EXPECT_EQ(payload.block(), LockResource(LoadResource(exe_.get(), info))) << "never a copy";
  // The carried program is a 32-bit executable ("MZ", then a PE image).
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(payload.bytes()), 2), "MZ");
}

// Built by the same compiler as the program: the product carries a 32-bit
// stand-in, its 64-bit test twin a 64-bit one.
TEST(VbaPayload, StandInIsAGuiProgramOfTheBuildsBitness) {
  const std::string exe = WholeFile(BuildFolder() + "\\tools\\vba_standin.exe").value_or("");
  ASSERT_GT(exe.size(), 0x200u);
  ASSERT_EQ(exe.substr(0, 2), "MZ");
  DWORD pe = 0;
  std::memcpy(&pe, exe.data() + 0x3C, 4);
  ASSERT_LT(pe + 0x5Cu + 2, exe.size());
  EXPECT_EQ(exe.substr(pe, 4), std::string("PE\0\0", 4));
  WORD machine = 0, subsystem = 0;
  std::memcpy(&machine, exe.data() + pe + 4, 2);
  std::memcpy(&subsystem, exe.data() + pe + 0x5C, 2);
  EXPECT_EQ(machine, sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(VbaPayload, ModuleWithoutThePayloadGivesAnEmptyView) {
  // This test program carries no payload resource of its own.
  EXPECT_EQ(VbaInstallerPayloadIn(GetModuleHandleA(nullptr)).block(), nullptr);
  EXPECT_EQ(VbaInstallerPayload().count(), 0);
}

}  // namespace
}  // namespace pelmora
