// The window adapter when its window lands on a display of another DPI,
// which no scenario can bring about under Wine's single display: the form
// takes the rectangle the system offers, and every unit its rectangle,
// font and the window its icons for the new DPI. A hidden window gets its
// icons only when it is first shown, at the DPI it has then.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "form_units.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"

namespace pelmora {
namespace {

void PutLittleEndian(std::string* bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file with one 32-pixel, 32-bit image: the window must scale it
// to each DPI's icon sizes.
std::string IconFile() {
  constexpr std::uint32_t kSide = 32;
  constexpr std::uint32_t kImageBytes = 40 + kSide * kSide * 4 + kSide * 4;
  std::string file;
  PutLittleEndian(&file, 0, 2);
  PutLittleEndian(&file, 1, 2);  // an icon
  PutLittleEndian(&file, 1, 2);  // one entry
  file += static_cast<char>(kSide);
  file += static_cast<char>(kSide);
  PutLittleEndian(&file, 0, 2);   // colour count, reserved
  PutLittleEndian(&file, 1, 2);   // planes
  PutLittleEndian(&file, 32, 2);  // bits per pixel
  PutLittleEndian(&file, kImageBytes, 4);
  PutLittleEndian(&file, 22, 4);  // the image follows the directory
  PutLittleEndian(&file, 40, 4);
  PutLittleEndian(&file, kSide, 4);
  PutLittleEndian(&file, kSide * 2, 4);  // colour rows and mask rows
  PutLittleEndian(&file, 1, 2);
  PutLittleEndian(&file, 32, 2);
  for (int i = 0; i < 6; ++i) PutLittleEndian(&file, 0, 4);
  for (std::uint32_t i = 0; i < kSide * kSide; ++i) PutLittleEndian(&file, 0xFF2060C0u, 4);
  file.append(kSide * 4, '\0');
  return file;
}

using testing::MainWindowUnit;
using testing::RectOf;
using testing::VisibleUnitLike;

const UnitRecord& StoredOwn() { return MainWindowUnit(UnitKind::kWindow); }
const UnitRecord& StoredButton() { return MainWindowUnit(UnitKind::kButton); }
const UnitRecord& StoredGroup() { return MainWindowUnit(UnitKind::kGroupBox); }
const UnitRecord& StoredCaption() { return MainWindowUnit(StoredGroup().children.at(0)); }

// The main window's frame and three of its units, kept hidden.
FormDescription SmallForm() {
  UnitRecord own = VisibleUnitLike(StoredOwn());
  own.flags = 0;
  own.window.title = "dpi";
  own.window.icon_file = IconFile();
  UnitRecord button = VisibleUnitLike(StoredButton());
  button.button.caption = "button";
  UnitRecord caption = VisibleUnitLike(StoredCaption());
  caption.parent_id = StoredGroup().id;
  UnitRecord group = VisibleUnitLike(StoredGroup());
  group.children = {caption.id};
  group.has_kind_data = false;
  WindowRecord window;
  window.window_id = kMainWindowId;
  window.units = {own, button, caption, group};
  FormDescription form;
  form.windows.push_back(window);
  return form;
}

RECT RectIn(HWND unit) {
  RECT rect;
  GetWindowRect(unit, &rect);
  MapWindowPoints(nullptr, GetParent(unit), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

::testing::AssertionResult RectIs(const RECT& rect, scale::Rect expected) {
  if (rect.left == expected.left && rect.top == expected.top &&
      rect.right - rect.left == expected.width && rect.bottom - rect.top == expected.height) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << rect.left << "," << rect.top << "," << rect.right - rect.left << ","
         << rect.bottom - rect.top;
}

LONG FontHeight(HWND unit) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(unit, WM_GETFONT, 0, 0));
  LOGFONTW logical = {};
  if (font == nullptr || GetObjectW(font, sizeof logical, &logical) == 0) return 0;
  return logical.lfHeight < 0 ? -logical.lfHeight : logical.lfHeight;
}

LONG IconWidth(HWND window, WPARAM which) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  ICONINFO info = {};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap = {};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

void SendDpiChange(HWND window, int dpi, RECT suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

bool DisplayIsAt96Dpi() {
  HDC screen = GetDC(nullptr);
  const int display_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return display_dpi == 96;
}

// The small form loaded, hidden, on a display at 96 DPI.
class WindowDpiWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayIsAt96Dpi()) GTEST_SKIP() << "the display is not at 96 DPI";
    engine::ResetForTests();
    engine::LoadForms(SmallForm(), nullptr, 0);
    ASSERT_TRUE(LoadStartWindow(kMainWindowId));
    window = reinterpret_cast<HWND>(NativeHandleOfWindow(kMainWindowId));
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (window != nullptr) DestroyWindow(window);
    engine::ResetForTests();
  }

  HWND window = nullptr;
};

TEST_F(WindowDpiWin32, MoveToAnotherDpiTakesTheOfferedRectThenRelaysRefontsAndResizesIcons) {
  // Built last to first: the group box is 100, the caption 110, the button 120.
  HWND button = GetDlgItem(window, 120);
  HWND group = GetDlgItem(window, 100);
  HWND caption = GetDlgItem(group, 110);
  ASSERT_TRUE(button != nullptr && caption != nullptr);

  // Hidden, it has no icons yet; shown at 96 DPI, the 32- and 16-pixel ones.
  EXPECT_EQ(IconWidth(window, ICON_BIG), 0);
  port::ShowFormWindow(NativeHandleOfWindow(kMainWindowId), 0);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_TRUE(RectIs(outer, {outer.left, outer.top, StoredOwn().width, StoredOwn().height}));
  EXPECT_TRUE(RectIs(RectIn(caption), RectOf(StoredCaption())));
  const LONG height_96 = FontHeight(button);
  ASSERT_GT(height_96, 0);
  EXPECT_EQ(FontHeight(caption), height_96);
  EXPECT_EQ(IconWidth(window, ICON_BIG), 32);
  EXPECT_EQ(IconWidth(window, ICON_SMALL), 16);

  SendDpiChange(window, 192, {100, 50, 100 + 770, 50 + 520});
  GetWindowRect(window, &outer);
  EXPECT_TRUE(RectIs(outer, {100, 50, 770, 520}));
  EXPECT_TRUE(RectIs(RectIn(button), scale::RectToDpi(RectOf(StoredButton()), 192)));
  EXPECT_TRUE(RectIs(RectIn(group), scale::RectToDpi(RectOf(StoredGroup()), 192)));
  EXPECT_TRUE(RectIs(RectIn(caption), scale::RectToDpi(RectOf(StoredCaption()), 192)));
  const LONG height_192 = FontHeight(button);
  EXPECT_GE(height_192, 2 * height_96 - 1);
  EXPECT_LE(height_192, 2 * height_96 + 1);
  EXPECT_EQ(FontHeight(caption), height_192);
  EXPECT_EQ(IconWidth(window, ICON_BIG), 64);
  EXPECT_EQ(IconWidth(window, ICON_SMALL), 32);

  // Back at 96 DPI everything is as stored again.
  SendDpiChange(window, 96, {100, 50, 100 + 380, 50 + 250});
  EXPECT_TRUE(RectIs(RectIn(caption), RectOf(StoredCaption())));
  EXPECT_EQ(FontHeight(button), height_96);
  EXPECT_EQ(IconWidth(window, ICON_BIG), 32);
}

TEST_F(WindowDpiWin32, IconsOfAHiddenWindowAreMadeAtTheDpiItIsFirstShownAt) {
  SendDpiChange(window, 192, {100, 50, 100 + 770, 50 + 520});
  EXPECT_EQ(IconWidth(window, ICON_BIG), 0);
  port::ShowFormWindow(NativeHandleOfWindow(kMainWindowId), 0);
  EXPECT_EQ(IconWidth(window, ICON_BIG), 64);
  EXPECT_EQ(IconWidth(window, ICON_SMALL), 32);
}

}  // namespace
}  // namespace pelmora
