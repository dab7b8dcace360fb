// Windows, units and the message queue on Win32. Everything shown on
// screen goes through the wide-character calls after an explicit code
// page 936 conversion.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "runtime/window_engine.h"
#include "runtime/window_engine_internal.h"
#include "runtime/window_port.h"
#include "runtime/window_port_win32.h"

namespace pelmora::port {
namespace {

constexpr wchar_t kFormClass[] = L"KvWindow";
constexpr wchar_t kLabelClass[] = L"_QX_Label";
constexpr wchar_t kHiddenOwnerClass[] = L"_QX_HideOwner";
constexpr std::uint32_t kSystemColor = 0xFF000000u;
constexpr UINT kShutdownFromOtherThread = WM_APP + 999;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }
HWND Hwnd(NativeWindow w) { return reinterpret_cast<HWND>(w); }
NativeWindow Native(HWND h) { return reinterpret_cast<NativeWindow>(h); }
// The system's default GUI font, as message boxes use it. The stock
// DEFAULT_GUI_FONT has no Chinese glyphs on a system whose ANSI page is not
// 936, while the message font reaches the system's Chinese fonts there.
HFONT GuiFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    HFONT created = nullptr;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      created = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return created != nullptr ? created : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

// What a form window keeps for itself until it is destroyed.
struct FormLook {
  std::uint32_t back_color = kSystemColor;
  HICON large_icon = nullptr;
  HICON small_icon = nullptr;
};

// What a label needs to paint; its caption is the window text.
struct LabelLook {
  UINT format = 0;
  std::uint32_t text_color = 0;
  std::uint32_t back_color = kSystemColor;
  HFONT own_font = nullptr;  // from a stored LOGFONTA, else the GUI font
};

HBRUSH BackBrush(std::uint32_t color, bool* owned) {
  *owned = (color & kSystemColor) == 0;
  return *owned ? CreateSolidBrush(color) : GetSysColorBrush(COLOR_BTNFACE);
}

void FillBack(HWND hwnd, HDC dc, std::uint32_t color) {
  RECT client;
  GetClientRect(hwnd, &client);
  bool owned = false;
  HBRUSH brush = BackBrush(color, &owned);
  FillRect(dc, &client, brush);
  if (owned) DeleteObject(brush);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* look = reinterpret_cast<FormLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
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
    case WM_DESTROY:
      engine::FormWindowDestroyed(Native(hwnd));
      return 0;
    case WM_NCDESTROY:
      if (look != nullptr) {
        if (look->large_icon) DestroyIcon(look->large_icon);
        if (look->small_icon) DestroyIcon(look->small_icon);
        delete look;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
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
  HGDIOBJ old_font = SelectObject(dc, look.own_font ? look.own_font : GuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.text_color);
  DrawTextW(dc, caption.c_str(), length, &client, look.format);
  SelectObject(dc, old_font);
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* look = reinterpret_cast<LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
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
    case WM_NCDESTROY:
      if (look != nullptr) {
        if (look->own_font) DeleteObject(look->own_font);
        delete look;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
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
    const auto* look = reinterpret_cast<const FormLook*>(GetWindowLongPtrW(form, GWLP_USERDATA));
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

HICON IconFromFile(const std::string& icon_file, int pixels) {
  std::size_t offset = 0, length = 0;
  if (!engine::ChooseIconEntry(icon_file, pixels, &offset, &length)) return nullptr;
  auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(icon_file.data() + offset));
  return CreateIconFromResourceEx(bits, static_cast<DWORD>(length), TRUE, 0x00030000, pixels,
                                  pixels, LR_DEFAULTCOLOR);
}

void SetIcons(HWND hwnd, FormLook* look, const std::string& icon_file) {
  if (!icon_file.empty()) {
    look->large_icon = IconFromFile(icon_file, 32);
    look->small_icon = IconFromFile(icon_file, 16);
  }
  HICON fallback = LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */);
  SendMessageW(hwnd, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(look->large_icon ? look->large_icon : fallback));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(look->small_icon ? look->small_icon : fallback));
}

DWORD FrameExStyle(std::int32_t border_style) {
  switch (border_style) {
    case 1: return WS_EX_CLIENTEDGE;
    case 2: return WS_EX_DLGMODALFRAME;
    case 3: return WS_EX_STATICEDGE;
    case 4: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

DWORD FrameStyle(std::int32_t border_style) { return border_style == 5 ? WS_BORDER : 0; }

UINT LabelFormat(const LabelData& data) {
  UINT format = DT_NOPREFIX;
  format |= data.horizontal_alignment == 1 ? DT_CENTER
            : data.horizontal_alignment == 2 ? DT_RIGHT
                                              : DT_LEFT;
  if (data.word_wrap == 1) return format | DT_WORDBREAK | DT_VCENTER;
  format |= DT_SINGLELINE;
  format |= data.vertical_alignment == 0 ? DT_TOP
            : data.vertical_alignment == 2 ? DT_BOTTOM
                                            : DT_VCENTER;
  return format;
}

HFONT FontFromBlock(const std::string& block) {
  if (block.size() != sizeof(LOGFONTA)) return nullptr;
  LOGFONTA font;
  memcpy(&font, block.data(), sizeof font);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return CreateFontIndirectA(&font);
}

void InitializeProgressClass() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  if (!InitCommonControlsEx(&controls)) InitCommonControls();
  done = true;
}

HWND CreateChild(DWORD ex_style, const wchar_t* window_class, const win32::WideText& caption,
                 DWORD style, HWND parent, const UnitRecord& unit, std::int32_t control_id,
                 void* parameter) {
  return CreateWindowExW(ex_style, window_class, caption.c_str(), style, unit.left, unit.top,
                         unit.width, unit.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), Instance(),
                         parameter);
}

std::int32_t Modifiers() {
  std::int32_t state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= 1;
  if (GetKeyState(VK_SHIFT) < 0) state |= 2;
  if (GetKeyState(VK_MENU) < 0) state |= 4;
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
  DWORD style = WS_CLIPCHILDREN;
  DWORD ex_style = 0;
  if (data.border_style == 0) {
    style |= WS_POPUP;
  } else {
    style |= WS_DLGFRAME;
    if (!data.title.empty() || data.control_box == 1) style |= WS_CAPTION;
    if (data.border_style == 1 || data.border_style == 3 || data.border_style == 5) {
      style |= WS_THICKFRAME;
    }
    if (data.border_style == 3 || data.border_style == 4) ex_style |= WS_EX_TOOLWINDOW;
    if (data.border_style == 5 || data.border_style == 6) ex_style |= WS_EX_CLIENTEDGE;
  }
  if (data.control_box == 1) style |= WS_SYSMENU;
  if (data.maximize_box == 1) style |= WS_MAXIMIZEBOX;
  if (data.minimize_box == 1) style |= WS_MINIMIZEBOX;
  if (data.start_position == 2) style |= WS_MINIMIZE;
  if (data.start_position == 3) style |= WS_MAXIMIZE;

  auto* look = new FormLook;
  look->back_color = data.back_color;
  const win32::WideText title = win32::WideFromGbk(data.title.c_str());
  HWND hwnd = CreateWindowExW(ex_style, kFormClass, title.c_str(), style, left, top, own.width,
                              own.height, Hwnd(owner), nullptr, Instance(), look);
  if (hwnd == nullptr) {
    delete look;
    return 0;
  }
  RECT outer;
  GetWindowRect(hwnd, &outer);
  if (outer.right - outer.left != own.width || outer.bottom - outer.top != own.height) {
    MoveWindow(hwnd, left, top, own.width, own.height, FALSE);
  }
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  if (data.always_on_top == 1) {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (data.movable == 0) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
  SetIcons(hwnd, look, data.icon_file);
  return Native(hwnd);
}

NativeWindow CreateUnitControl(NativeWindow form, const UnitRecord& unit, std::int32_t control_id) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (unit.flags & kFlagDisabled) style |= WS_DISABLED;
  if (unit.flags & kFlagTabStop) style |= WS_TABSTOP;
  HWND parent = Hwnd(form);
  HWND control = nullptr;
  switch (unit.kind) {
    case UnitKind::kLabel: {
      if (!RegisterOnce(kLabelClass, LabelProc, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS)) return 0;
      const LabelData& data = unit.label;
      auto* look = new LabelLook;
      look->format = LabelFormat(data);
      look->text_color = data.text_color;
      look->back_color = data.back_color;
      look->own_font = FontFromBlock(data.font);
      control = CreateChild(FrameExStyle(data.border_style), kLabelClass,
                            win32::WideFromGbk(data.caption.c_str()),
                            style | FrameStyle(data.border_style), parent, unit, control_id, look);
      if (control == nullptr) {
        if (look->own_font) DeleteObject(look->own_font);
        delete look;
      }
      break;
    }
    case UnitKind::kButton: {
      const ButtonData& data = unit.button;
      style |= BS_PUSHBUTTON | BS_MULTILINE;
      if (data.default_button == 1) style |= BS_DEFPUSHBUTTON;
      style |= data.horizontal_alignment == 0 ? BS_LEFT
               : data.horizontal_alignment == 1 ? BS_CENTER
                                                 : BS_RIGHT;
      style |= data.vertical_alignment == 0 ? BS_TOP
               : data.vertical_alignment == 1 ? BS_VCENTER
                                               : BS_BOTTOM;
      control = CreateChild(0, L"BUTTON", win32::WideFromGbk(data.caption.c_str()), style, parent,
                            unit, control_id, nullptr);
      break;
    }
    case UnitKind::kGroupBox:
      control = CreateChild(0, L"BUTTON", win32::WideText(), style | BS_GROUPBOX, parent, unit,
                            control_id, nullptr);
      if (control != nullptr) {
        const LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
        SetWindowLongPtrW(control, GWLP_USERDATA, original);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
      }
      break;
    case UnitKind::kProcessBar: {
      InitializeProgressClass();
      const ProcessBarData& data = unit.process_bar;
      if (data.vertical == 1) style |= PBS_VERTICAL;
      if (data.smooth == 1) style |= PBS_SMOOTH;
      control = CreateChild(FrameExStyle(data.border_style), PROGRESS_CLASSW, win32::WideText(),
                            style | FrameStyle(data.border_style), parent, unit, control_id,
                            nullptr);
      break;
    }
    case UnitKind::kWindow:
      return 0;
  }
  if (control == nullptr) return 0;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
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
  const int show = start_position == 2   ? SW_SHOWMINIMIZED
                   : start_position == 3 ? SW_SHOWMAXIMIZED
                                         : SW_SHOWNORMAL;
  ShowWindow(Hwnd(form), show);
  UpdateWindow(Hwnd(form));
}

void RestoreOrActivate(NativeWindow form) {
  if (IsIconic(Hwnd(form))) {
    ShowWindow(Hwnd(form), SW_RESTORE);
  } else {
    SetActiveWindow(Hwnd(form));
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
  constexpr DWORD kFrameEx = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  SetWindowLongW(hwnd, GWL_EXSTYLE,
                 static_cast<LONG>((ex_style & ~kFrameEx) | FrameExStyle(border_style)));
  SetWindowLongW(hwnd, GWL_STYLE,
                 static_cast<LONG>((style & ~WS_BORDER) | FrameStyle(border_style)));
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

void PostToWindow(NativeWindow window, std::uint32_t message, std::uintptr_t parameter) {
  PostMessageW(Hwnd(window), message, static_cast<WPARAM>(parameter), 0);
}

}  // namespace pelmora::port
