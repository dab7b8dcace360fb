// Windows, units and the message queue on Win32. Everything shown on
// screen goes through the wide-character calls after an explicit code
// page 936 conversion.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "runtime/system/library_port.h"
#include "runtime/window/display_scale.h"
#include "runtime/win32/library_win32.h"
#include "runtime/win32/owners_win32.h"
#include "runtime/win32/wide_text_win32.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"
#include "runtime/window/window_styles.h"

namespace pelmora {
namespace style {
static_assert(kPopup == WS_POPUP && kChild == WS_CHILD && kMinimize == WS_MINIMIZE);
static_assert(kDisabled == WS_DISABLED && kClipSiblings == WS_CLIPSIBLINGS);
static_assert(kClipChildren == WS_CLIPCHILDREN && kMaximize == WS_MAXIMIZE);
static_assert(kCaption == WS_CAPTION && kBorder == WS_BORDER && kDialogFrame == WS_DLGFRAME);
static_assert(kSystemMenu == WS_SYSMENU && kSizingFrame == WS_THICKFRAME);
static_assert(kMinimizeBox == WS_MINIMIZEBOX && kMaximizeBox == WS_MAXIMIZEBOX);
static_assert(kTabStop == WS_TABSTOP);
static_assert(kExModalFrame == WS_EX_DLGMODALFRAME && kExToolWindow == WS_EX_TOOLWINDOW);
static_assert(kExClientEdge == WS_EX_CLIENTEDGE && kExStaticEdge == WS_EX_STATICEDGE);
static_assert(kButtonPush == BS_PUSHBUTTON && kButtonDefault == BS_DEFPUSHBUTTON);
static_assert(kButtonGroupBox == BS_GROUPBOX && kButtonMultiline == BS_MULTILINE);
static_assert(kButtonLeft == BS_LEFT && kButtonRight == BS_RIGHT && kButtonCentre == BS_CENTER);
static_assert(kButtonTop == BS_TOP && kButtonBottom == BS_BOTTOM);
static_assert(kButtonVerticalCentre == BS_VCENTER);
static_assert(kProgressSmooth == PBS_SMOOTH && kProgressVertical == PBS_VERTICAL);
static_assert(kTextLeft == DT_LEFT && kTextCentre == DT_CENTER && kTextRight == DT_RIGHT);
static_assert(kTextTop == DT_TOP && kTextVerticalCentre == DT_VCENTER);
static_assert(kTextBottom == DT_BOTTOM && kTextWordBreak == DT_WORDBREAK);
static_assert(kTextSingleLine == DT_SINGLELINE && kTextNoPrefix == DT_NOPREFIX);
}  // namespace style

namespace engine {
static_assert(kKeyTab == VK_TAB && kKeyEnter == VK_RETURN && kKeyEscape == VK_ESCAPE);
}  // namespace engine
}  // namespace pelmora

namespace pelmora::port {
namespace {

constexpr wchar_t kFormClass[] = L"KvWindow";
constexpr wchar_t kLabelClass[] = L"_QX_Label";
constexpr wchar_t kHiddenOwnerClass[] = L"_QX_HideOwner";
constexpr std::uint32_t kSystemColor = 0xFF000000u;
// Asks the main thread to end the program, from another thread.
constexpr UINT kShutdownFromOtherThread = WM_APP + 999;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }
HWND Hwnd(NativeWindow w) { return reinterpret_cast<HWND>(w); }
NativeWindow Native(HWND h) { return reinterpret_cast<NativeWindow>(h); }
// The DPI calls of Windows 10 (1607 on). They are looked up at run time:
// imported, they would stop the program from starting on Windows 7 and 8,
// where a system-aware process has one DPI, the system's, and the older
// calls already answer for it.
using DpiForWindowCall = UINT WINAPI(HWND);
using AdjustForDpiCall = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
using ParametersForDpiCall = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);
struct DpiCalls {
  DpiForWindowCall* dpi_for_window = nullptr;
  AdjustForDpiCall* adjust_for_dpi = nullptr;
  ParametersForDpiCall* parameters_for_dpi = nullptr;
};

const DpiCalls& Dpi() {
  static const DpiCalls calls = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return DpiCalls{
        win32::LookupProcedure<DpiForWindowCall>(user32, "GetDpiForWindow"),
        win32::LookupProcedure<AdjustForDpiCall>(user32, "AdjustWindowRectExForDpi"),
        win32::LookupProcedure<ParametersForDpiCall>(user32, "SystemParametersInfoForDpi")};
  }();
  return calls;
}

std::int32_t SystemDpi() {
  const win32::UniqueScreenDC screen(GetDC(nullptr));
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : scale::kFormDpi;
}

// The system's message font at `dpi`, as message boxes use it. The stock
// DEFAULT_GUI_FONT has no Chinese glyphs on a system whose ANSI page is not
// 936, while the message font reaches the system's Chinese fonts there.
win32::UniqueFont MessageFontAt(std::int32_t dpi) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (Dpi().parameters_for_dpi != nullptr) {
    if (!Dpi().parameters_for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                  static_cast<UINT>(dpi))) {
      return {};
    }
  } else {
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    LOGFONTW& font = metrics.lfMessageFont;
    font.lfHeight = scale::MulDivRounded(font.lfHeight, dpi, SystemDpi());
  }
  return win32::UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

HFONT FontOr(const win32::UniqueFont& font) {
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// What a form window keeps for itself until it is destroyed: what it is
// drawn with at its present DPI, and the stored icon to draw at the next.
struct FormLook {
  std::uint32_t back_color = kSystemColor;
  std::int32_t dpi = scale::kFormDpi;
  std::string icon_file;
  win32::UniqueFont message_font;  // every unit's font unless it has its own
  win32::UniqueIcon large_icon;
  win32::UniqueIcon small_icon;
  // Made when the window is first shown: decoding the stored image and
  // handing it to a hidden window delays the notice box in front of it.
  bool icons_due = false;
};

// What a label needs to paint; its caption is the window text.
struct LabelLook {
  UINT format = 0;
  std::uint32_t text_color = 0;
  std::uint32_t back_color = kSystemColor;
  std::string font_block;         // the stored LOGFONTA, if any, for each DPI
  win32::UniqueFont own_font;     // made from it for the form's DPI
  HFONT form_font = nullptr;      // the form's message font, not owned
};

// A look is handed to CreateWindowExW in its owner; the window takes it
// over at WM_NCCREATE and gives it back at WM_NCDESTROY, which the system
// sends even when creation fails after WM_NCCREATE. So it is freed once
// whichever way creation goes.
template <typename Look>
void AdoptLook(HWND hwnd, LPARAM lparam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
  auto* pending = static_cast<std::unique_ptr<Look>*>(create->lpCreateParams);
  if (pending == nullptr) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pending->release()));
}

template <typename Look>
Look* LookOf(HWND hwnd) {
  return reinterpret_cast<Look*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

template <typename Look>
void ReleaseLook(HWND hwnd) {
  const std::unique_ptr<Look> owned(LookOf<Look>(hwnd));
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}

void FillBack(HWND hwnd, HDC dc, std::uint32_t color) {
  RECT client;
  GetClientRect(hwnd, &client);
  if ((color & kSystemColor) != 0) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  const win32::UniqueBrush brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &client, brush.get());
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const FormLook* look = LookOf<FormLook>(hwnd);
  switch (message) {
    case WM_NCCREATE:
      AdoptLook<FormLook>(hwnd, lparam);
      break;
    case WM_ERASEBKGND:
      FillBack(hwnd, reinterpret_cast<HDC>(wparam), look ? look->back_color : kSystemColor);
      return 1;
    case WM_COMMAND:
      if (lparam != 0 && HIWORD(wparam) == BN_CLICKED) {
        engine::UnitClicked(Native(reinterpret_cast<HWND>(lparam)));
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      // The system keeps the low four bits of the command for itself.
      if (engine::SystemCommandChosen(Native(hwnd), static_cast<std::uint32_t>(wparam & 0xFFF0))) {
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      engine::FormDpiChanged(Native(hwnd), LOWORD(wparam),
                             {suggested->left, suggested->top, suggested->right - suggested->left,
                              suggested->bottom - suggested->top});
      return 0;
    }
    case WM_DESTROY:
      engine::FormWindowDestroyed(Native(hwnd));
      return 0;
    case WM_NCDESTROY:
      ReleaseLook<FormLook>(hwnd);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void PaintLabel(HWND hwnd, const LabelLook& look) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  FillBack(hwnd, dc, look.back_color);
  RECT client;
  GetClientRect(hwnd, &client);
  const int length = GetWindowTextLengthW(hwnd);
  win32::WideText caption(static_cast<std::size_t>(length));
  GetWindowTextW(hwnd, caption.data(), length + 1);
  HFONT font = look.own_font ? look.own_font.get() : look.form_font;
  HGDIOBJ old_font = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.text_color);
  DrawTextW(dc, caption.c_str(), length, &client, look.format);
  SelectObject(dc, old_font);
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const LabelLook* look = LookOf<LabelLook>(hwnd);
  switch (message) {
    case WM_NCCREATE:
      AdoptLook<LabelLook>(hwnd, lparam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (look != nullptr) {
        PaintLabel(hwnd, *look);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_SETFONT:
      if (LabelLook* own = LookOf<LabelLook>(hwnd)) {
        own->form_font = reinterpret_cast<HFONT>(wparam);
      }
      if (LOWORD(lparam) != 0) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return look != nullptr ? reinterpret_cast<LRESULT>(look->form_font) : 0;
    case WM_NCDESTROY:
      ReleaseLook<LabelLook>(hwnd);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// The system's group box leaves its inside to the parent, which clips its
// children away: the box fills its own background with the form's colour.
LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_ERASEBKGND) {
    HWND form = GetAncestor(hwnd, GA_ROOT);
    const FormLook* look = LookOf<FormLook>(form);
    FillBack(hwnd, reinterpret_cast<HDC>(wparam), look ? look->back_color : kSystemColor);
    return 1;
  }
  return CallWindowProcW(original, hwnd, message, wparam, lparam);
}

LRESULT CALLBACK HiddenOwnerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  // A shutdown asked for on another thread finishes on this one.
  if (message == kShutdownFromOtherThread) ExitProgram(static_cast<int>(wparam));
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool RegisterOnce(const wchar_t* name, WNDPROC procedure, UINT styles) {
  WNDCLASSW existing;
  if (GetClassInfoW(Instance(), name, &existing)) return true;
  WNDCLASSW window_class = {};
  window_class.style = styles;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = Instance();
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  window_class.hbrBackground = nullptr;
  window_class.lpszClassName = name;
  return RegisterClassW(&window_class) != 0;
}

// The icon sizes at 96 DPI; the system's grow with the DPI by the same
// factor as everything else.
constexpr int kLargeIconPixels = 32;
constexpr int kSmallIconPixels = 16;
constexpr DWORD kIconFormatVersion = 0x00030000;

win32::UniqueIcon IconFromFile(const std::string& icon_file, int pixels) {
  std::size_t offset = 0, length = 0;
  if (!engine::ChooseIconEntry(icon_file, pixels, &offset, &length)) return {};
  auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(icon_file.data() + offset));
  return win32::UniqueIcon(CreateIconFromResourceEx(bits, static_cast<DWORD>(length), TRUE,
                                                    kIconFormatVersion, pixels, pixels,
                                                    LR_DEFAULTCOLOR));
}

// The icons the window holds are released only after it has taken the
// new ones.
void SetIcons(HWND hwnd, FormLook* look, std::int32_t dpi) {
  win32::UniqueIcon large, small;
  if (!look->icon_file.empty()) {
    large = IconFromFile(look->icon_file, scale::ToDpi(kLargeIconPixels, dpi));
    small = IconFromFile(look->icon_file, scale::ToDpi(kSmallIconPixels, dpi));
  }
  HICON fallback = LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */);
  SendMessageW(hwnd, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(large ? large.get() : fallback));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(small ? small.get() : fallback));
  look->large_icon = std::move(large);
  look->small_icon = std::move(small);
}

// A stored font's sizes are 96-DPI pixels, like the form's coordinates.
win32::UniqueFont FontFromBlock(const std::string& block, std::int32_t dpi) {
  if (block.size() != sizeof(LOGFONTA)) return {};
  LOGFONTA font;
  memcpy(&font, block.data(), sizeof font);
  font.lfHeight = scale::ToDpi(font.lfHeight, dpi);
  font.lfWidth = scale::ToDpi(font.lfWidth, dpi);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return win32::UniqueFont(CreateFontIndirectA(&font));
}

// Loaded rather than imported, so that the program imports known system
// libraries only: from the system folder, where the manifest's activation
// context still picks the themed version 6. Kept loaded, as an import is.
void InitializeProgressClass() {
  static bool done = false;
  if (done) return;
  const auto comctl32 = static_cast<HMODULE>(port::LoadSystemLibrary("comctl32.dll"));
  const auto initialize_ex = win32::LookupProcedure<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(
      comctl32, "InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  if (initialize_ex == nullptr || !initialize_ex(&controls)) {
    const auto initialize = win32::LookupProcedure<void WINAPI()>(comctl32, "InitCommonControls");
    if (initialize != nullptr) initialize();
  }
  done = true;
}

HWND CreateChild(const wchar_t* window_class, const win32::WideText& caption, HWND parent,
                 const UnitRecord& unit, std::int32_t control_id, const scale::Rect& rect,
                 void* parameter) {
  const WindowStyles styles = UnitControlStyles(unit);
  return CreateWindowExW(styles.ex_style, window_class, caption.c_str(), styles.style, rect.left,
                         rect.top, rect.width, rect.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), Instance(),
                         parameter);
}

struct Refont {
  HFONT font;
  std::int32_t dpi;
};

BOOL CALLBACK RefontUnit(HWND unit, LPARAM parameter) {
  const auto* refont = reinterpret_cast<const Refont*>(parameter);
  if (GetWindowLongPtrW(unit, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(LabelProc)) {
    LabelLook* look = LookOf<LabelLook>(unit);
    if (look != nullptr) look->own_font = FontFromBlock(look->font_block, refont->dpi);
  }
  SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(refont->font), TRUE);
  return TRUE;
}

std::int32_t Modifiers() {
  std::int32_t state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= engine::kModifierCtrl;
  if (GetKeyState(VK_SHIFT) < 0) state |= engine::kModifierShift;
  if (GetKeyState(VK_MENU) < 0) state |= engine::kModifierAlt;
  return state;
}

bool PreTranslate(const MSG& message) {
  engine::InputMessage input;
  input.target = Native(message.hwnd);
  input.modifiers = Modifiers();
  if (message.message == WM_LBUTTONDOWN) {
    input.kind = engine::InputMessage::Kind::kLeftButtonDown;
    input.x = LOWORD(message.lParam);
    input.y = HIWORD(message.lParam);
  } else if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    input.kind = engine::InputMessage::Kind::kKeyDown;
    input.key = static_cast<std::int32_t>(message.wParam);
  } else {
    return false;
  }
  return engine::PreTranslateInput(input);
}

}  // namespace

void PrimaryScreenSize(std::int32_t* width, std::int32_t* height) {
  *width = GetSystemMetrics(SM_CXSCREEN);
  *height = GetSystemMetrics(SM_CYSCREEN);
}

NativeWindow CreateFormWindow(const UnitRecord& own, std::int32_t left, std::int32_t top,
                              NativeWindow owner) {
  if (!RegisterOnce(kFormClass, FormProc, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS)) return 0;
  const WindowData& data = own.window;
  const WindowStyles styles = FormWindowStyles(data);
  auto look = std::make_unique<FormLook>();
  look->back_color = data.back_color;
  look->icon_file = data.icon_file;
  const win32::WideText title = win32::WideFromGbk(data.title.c_str());
  HWND hwnd = CreateWindowExW(styles.ex_style, kFormClass, title.c_str(), styles.style, left, top,
                              own.width, own.height, Hwnd(owner), nullptr, Instance(), &look);
  if (hwnd == nullptr) return 0;
  RECT outer;
  GetWindowRect(hwnd, &outer);
  if (outer.right - outer.left != own.width || outer.bottom - outer.top != own.height) {
    MoveWindow(hwnd, left, top, own.width, own.height, FALSE);
  }
  if (data.always_on_top == 1) {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (data.movable == 0) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
  return Native(hwnd);
}

NativeWindow CreateUnitControl(NativeWindow form, const UnitRecord& unit, std::int32_t control_id,
                               const scale::Rect& rect) {
  HWND parent = Hwnd(form);
  const FormLook* form_look = LookOf<FormLook>(parent);
  if (form_look == nullptr) return 0;
  HWND control = nullptr;
  switch (unit.kind) {
    case UnitKind::kLabel: {
      if (!RegisterOnce(kLabelClass, LabelProc, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS)) return 0;
      const LabelData& data = unit.label;
      auto look = std::make_unique<LabelLook>();
      look->format = LabelTextFormat(data);
      look->text_color = data.text_color;
      look->back_color = data.back_color;
      look->font_block = data.font;
      look->own_font = FontFromBlock(data.font, form_look->dpi);
      control = CreateChild(kLabelClass, win32::WideFromGbk(data.caption.c_str()), parent, unit,
                            control_id, rect, &look);
      break;
    }
    case UnitKind::kButton:
      control = CreateChild(L"BUTTON", win32::WideFromGbk(unit.button.caption.c_str()), parent,
                            unit, control_id, rect, nullptr);
      break;
    case UnitKind::kGroupBox:
      control = CreateChild(L"BUTTON", win32::WideText(), parent, unit, control_id, rect, nullptr);
      if (control != nullptr) {
        const LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
        SetWindowLongPtrW(control, GWLP_USERDATA, original);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
      }
      break;
    case UnitKind::kProcessBar:
      InitializeProgressClass();
      control = CreateChild(PROGRESS_CLASSW, win32::WideText(), parent, unit, control_id, rect,
                            nullptr);
      break;
    case UnitKind::kWindow:
      return 0;
  }
  if (control == nullptr) return 0;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOr(form_look->message_font)),
               FALSE);
  return Native(control);
}

void MoveIntoContainer(NativeWindow unit, NativeWindow container, std::int32_t left,
                       std::int32_t top) {
  SetParent(Hwnd(unit), Hwnd(container));
  SetWindowPos(Hwnd(unit), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceBelow(NativeWindow unit, NativeWindow above) {
  SetWindowPos(Hwnd(unit), above != 0 ? Hwnd(above) : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ShowUnit(NativeWindow unit, bool visible) {
  ShowWindow(Hwnd(unit), visible ? SW_SHOWNA : SW_HIDE);
}

void ShowFormWindow(NativeWindow form, std::int32_t start_position) {
  FormLook* look = LookOf<FormLook>(Hwnd(form));
  if (look != nullptr && look->icons_due) {
    SetIcons(Hwnd(form), look, look->dpi);
    look->icons_due = false;
  }
  ShowWindow(Hwnd(form), FormShowCommand(start_position));
  UpdateWindow(Hwnd(form));
}

void RestoreOrActivate(NativeWindow form) {
  if (IsIconic(Hwnd(form))) {
    ShowWindow(Hwnd(form), SW_RESTORE);
  } else {
    SetActiveWindow(Hwnd(form));
  }
}

std::int32_t WindowDpi(NativeWindow form) {
  const UINT dpi = Dpi().dpi_for_window != nullptr ? Dpi().dpi_for_window(Hwnd(form)) : 0;
  return dpi != 0 ? static_cast<std::int32_t>(dpi) : SystemDpi();
}

scale::Frame FormFrame(NativeWindow form, std::int32_t dpi) {
  HWND hwnd = Hwnd(form);
  const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  RECT outer = {0, 0, 0, 0};
  if (Dpi().adjust_for_dpi != nullptr &&
      Dpi().adjust_for_dpi(&outer, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
    return {-outer.left, -outer.top, outer.right, outer.bottom};
  }
  // Older systems measure the frame at their own DPI only.
  outer = {0, 0, 0, 0};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  return scale::FrameToDpi({-outer.left, -outer.top, outer.right, outer.bottom}, SystemDpi(), dpi);
}

void PlaceFormWindow(NativeWindow form, const scale::Rect& outer) { PlaceUnit(form, outer); }

void PlaceUnit(NativeWindow unit, const scale::Rect& rect) {
  SetWindowPos(Hwnd(unit), nullptr, rect.left, rect.top, rect.width, rect.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The old font goes only after every unit has taken the new one.
void UseDpi(NativeWindow form, std::int32_t dpi) {
  HWND hwnd = Hwnd(form);
  FormLook* look = LookOf<FormLook>(hwnd);
  if (look == nullptr) return;
  look->dpi = dpi;
  win32::UniqueFont font = MessageFontAt(dpi);
  Refont refont = {FontOr(font), dpi};
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(refont.font), FALSE);
  EnumChildWindows(hwnd, RefontUnit, reinterpret_cast<LPARAM>(&refont));
  look->message_font = std::move(font);
  if (IsWindowVisible(hwnd)) {
    SetIcons(hwnd, look, dpi);
  } else {
    look->icons_due = true;
  }
}

void DestroyNativeWindow(NativeWindow window) { DestroyWindow(Hwnd(window)); }

NativeWindow ParentOf(NativeWindow window) {
  HWND hwnd = Hwnd(window);
  // Top-level windows end the walk; their owner is not a container.
  if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) return 0;
  return Native(GetParent(hwnd));
}

void SetProgressRange(NativeWindow bar, std::int32_t low, std::int32_t high) {
  SendMessageW(Hwnd(bar), PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void SetProgressPosition(NativeWindow bar, std::int32_t position) {
  SendMessageW(Hwnd(bar), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void SetUnitFrame(NativeWindow unit, std::int32_t border_style) {
  HWND hwnd = Hwnd(unit);
  const WindowStyles current{static_cast<std::uint32_t>(GetWindowLongW(hwnd, GWL_STYLE)),
                             static_cast<std::uint32_t>(GetWindowLongW(hwnd, GWL_EXSTYLE))};
  const WindowStyles framed = ReplaceUnitFrame(current, border_style);
  SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(framed.ex_style));
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(framed.style));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CloseFormWindow(NativeWindow form) { SendMessageW(Hwnd(form), WM_CLOSE, 0, 0); }

bool AppendSystemMenuItem(NativeWindow form, std::uint32_t command_id, const char* gbk_caption) {
  HMENU menu = GetSystemMenu(Hwnd(form), FALSE);
  if (menu == nullptr) return false;
  const win32::WideText caption = win32::WideFromGbk(gbk_caption);
  return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) &&
         AppendMenuW(menu, MF_STRING, command_id, caption.c_str());
}

void MoveFocusToNextTabStop(NativeWindow form) {
  HWND focus = GetFocus();
  if (focus != nullptr && !IsChild(Hwnd(form), focus)) focus = nullptr;
  HWND next = GetNextDlgTabItem(Hwnd(form), focus, FALSE);
  if (next != nullptr) SetFocus(next);
}

bool MessageWaiting(bool* is_quit) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) return false;
  *is_quit = message.message == WM_QUIT;
  return true;
}

PumpResult PumpOneMessage() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return PumpResult::kNothing;
  if (message.message == WM_QUIT) return PumpResult::kQuit;
  if (!PreTranslate(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return PumpResult::kDispatched;
}

void WaitForMessage() { WaitMessage(); }
void PostQuit(int exit_code) { PostQuitMessage(exit_code); }

NativeWindow CreateHiddenOwner() {
  if (!RegisterOnce(kHiddenOwnerClass, HiddenOwnerProc, 0)) return 0;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenOwnerClass, L"", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, Instance(), nullptr);
  return Native(hwnd);
}

void PostShutdownRequest(NativeWindow hidden_owner, int exit_code) {
  PostMessageW(Hwnd(hidden_owner), kShutdownFromOtherThread, static_cast<WPARAM>(exit_code), 0);
}

}  // namespace pelmora::port
