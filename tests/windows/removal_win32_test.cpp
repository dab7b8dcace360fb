// The removal's pieces against the real system: the item in a real
// window's system menu and its command reaching the handler, and the
// panel's files as the real file system lists them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_form.h"
#include "app/messages.h"
#include "app/panel_inspection.h"
#include "app/system_menu_commands.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"
#include "windows/scratch_folder_win32.h"

namespace pelmora {
namespace {

using testing::ScratchFolder;

int g_chosen = 0;

HandlerResult OnChosen(const std::int32_t*, int) {
  ++g_chosen;
  return HandlerResult::None();
}

FormDescription HiddenWindow() {
  UnitRecord own;
  own.kind = UnitKind::kWindow;
  own.width = 200;
  own.height = 100;
  own.window.title = "test";
  WindowRecord window;
  window.window_id = kMainWindowId;
  window.units = {own};
  FormDescription form;
  form.windows.push_back(window);
  return form;
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[128] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

TEST(SystemMenuWin32, ItemFollowsASeparatorWithItsCaptionAndItsCommandRunsTheHandler) {
  engine::ResetForTests();
  engine::LoadForms(HiddenWindow(), nullptr, 0);
  ASSERT_TRUE(LoadStartWindow(kMainWindowId));
  HWND window = reinterpret_cast<HWND>(NativeHandleOfWindow(kMainWindowId));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(AddSystemMenuCommand(kMainWindowId, kRemovePanelCommand, messages::kRemoveMenuItem,
                                   OnChosen));

  HMENU menu = GetSystemMenu(window, FALSE);
  ASSERT_NE(menu, nullptr);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
            static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(menu, count - 1), kRemovePanelCommand);
  EXPECT_EQ(MenuText(menu, count - 1), L"从WPS移除MathType面板…");

  g_chosen = 0;
  SendMessageW(window, WM_SYSCOMMAND, kRemovePanelCommand, 0);
  // The system's own bits in the low four are ignored.
  SendMessageW(window, WM_SYSCOMMAND, kRemovePanelCommand | 0x2, 0);
  EXPECT_EQ(g_chosen, 2);
  EXPECT_TRUE(IsWindow(window));

  DestroyWindow(window);
  engine::ResetForTests();
}

std::vector<std::string> Found(const std::string& version_folder) {
  std::vector<std::string> found;
  for (const Text& path : InspectPanel(WpsFoldersOf(version_folder.c_str()), nullptr).CopiesOnDisk()) found.push_back(path.c_str());
  return found;
}

TEST(PanelFilesWin32, ThreeFilesPerVersionFolderWithOffice6AndNothingElse) {
  ScratchFolder root;
  for (const char* version : {"12.1.0.28505", "11.1.0.9584"}) {
    const std::string office6 = std::string(version) + "\\office6";
    root.Write(office6 + "\\startup\\MathType Commands 2016.dotm", "t");
    root.Write(office6 + "\\startup\\MathPage.wll", "a");
    root.Write(office6 + "\\MathPage.wll", "a");
    root.Write(office6 + "\\startup\\MathPage.wll.bak", "user");
    root.Write(office6 + "\\startup\\MyMacros.dotm", "user");
  }
  root.Write("backup\\startup\\MathPage.wll", "no office6 beside it");

  const std::string current = root / "12.1.0.28505";
  const std::string older = root / "11.1.0.9584";
  EXPECT_EQ(Found(current),
            (std::vector<std::string>{current + "\\office6\\startup\\MathType Commands 2016.dotm",
                                      current + "\\office6\\startup\\MathPage.wll",
                                      current + "\\office6\\MathPage.wll",
                                      older + "\\office6\\startup\\MathType Commands 2016.dotm",
                                      older + "\\office6\\startup\\MathPage.wll",
                                      older + "\\office6\\MathPage.wll"}));
}

}  // namespace
}  // namespace pelmora
