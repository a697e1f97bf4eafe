// The kind `window`: a top-level window of the class "WTWindow" whose
// procedure forwards to its object, bound once at WM_NCCREATE.
#include "ui/kinds.h"

namespace tavrel {
namespace {

const PropertyDescriptor kWindowProperties[] = {
    {8, PropertyType::Text, 0, ""},            // caption
    {9, PropertyType::Integer, 2, nullptr},    // border
    {10, PropertyType::Integer, static_cast<int32_t>(0xFF000000), nullptr},  // background
    {15, PropertyType::Boolean, 1, nullptr},   // control buttons
    {16, PropertyType::Boolean, 0, nullptr},   // maximise button
    {17, PropertyType::Boolean, 0, nullptr},   // minimise button
    {18, PropertyType::Integer, 1, nullptr},   // position when created
    {19, PropertyType::Boolean, 1, nullptr},   // movable
    {20, PropertyType::Integer, 0, nullptr},   // icon: none, the program's
    {21, PropertyType::Boolean, 0, nullptr},   // Enter moves the focus
    {22, PropertyType::Boolean, 1, nullptr},   // Esc closes the window
    {23, PropertyType::Boolean, 0, nullptr},   // F1 opens help
    {26, PropertyType::Boolean, 1, nullptr},   // shown in the taskbar
    {29, PropertyType::Boolean, 0, nullptr},   // always on top
    {31, PropertyType::Text, 0, ""},           // window class name
};

UnitObject* CreateWindowObject(LiveWindow& window, const ResolvedUnit& unit) { return new WindowObject(window, unit); }

constexpr const char* kDefaultClass = "WTWindow";

struct ProgramIcons {
  HICON large = nullptr;
  HICON small = nullptr;
};

// Loaded once on first use and shared by every window without its own.
const ProgramIcons& Icons() {
  static ProgramIcons icons = [] {
    ProgramIcons loaded;
    loaded.large = static_cast<HICON>(LoadImageA(ProgramInstance(), "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_SHARED));
    loaded.small = static_cast<HICON>(LoadImageA(ProgramInstance(), "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_SHARED));
    return loaded;
  }();
  return icons;
}

DWORD TitleBarStyle(const UnitObject& unit) {
  if (unit.IntValue(9) == 0) return 0;
  const bool controls = unit.IntValue(15) != 0;
  DWORD style = (!unit.TextValue(8).empty() || controls) ? WS_CAPTION : WS_DLGFRAME;
  if (controls) style |= WS_SYSMENU;
  return style;
}

}  // namespace

extern const KindInfo kWindowKindInfo = {WindowKind, "window", kWindowProperties,
                                         static_cast<int>(std::size(kWindowProperties)), CreateWindowObject};

bool RegisterWindowClass(const char* className, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(ProgramInstance(), className, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ProgramInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass) != 0;
}

bool WindowObject::Create(HWND owner) {
  const UnitRecord& record = *unit().record;
  const int32_t border = IntValue(9);
  DWORD style = WS_CLIPCHILDREN | TitleBarStyle(*this);
  DWORD exStyle = 0;
  if (border == 1 || border == 3 || border == 5) style |= WS_THICKFRAME;
  if (border == 3 || border == 4) exStyle |= WS_EX_TOOLWINDOW;
  if (border == 5 || border == 6) exStyle |= WS_EX_CLIENTEDGE;
  if (IntValue(16)) style |= WS_MAXIMIZEBOX;
  if (IntValue(17)) style |= WS_MINIMIZEBOX;
  if (IntValue(29)) exStyle |= WS_EX_TOPMOST;

  int left = record.left, top = record.top;
  switch (IntValue(18)) {
    case 1:
      left = (GetSystemMetrics(SM_CXSCREEN) - record.width) / 2;
      top = (GetSystemMetrics(SM_CYSCREEN) - record.height) / 2;
      break;
    case 2:
      style |= WS_MINIMIZE;
      break;
    case 3:
      if (style & WS_THICKFRAME) style |= WS_MAXIMIZE;
      break;
  }

  const std::string& customClass = TextValue(31);
  const char* className = customClass.empty() ? kDefaultClass : customClass.c_str();
  if (!RegisterWindowClass(className, &WindowObject::WindowProcedure)) return false;
  if (!CreateWindowExA(exStyle, className, TextValue(8).c_str(), style, left, top, record.width, record.height, owner,
                       nullptr, ProgramInstance(), this))
    return false;

  SyncTitleBar();
  RECT outer{};
  if (GetWindowRect(hwnd_, &outer) &&
      (outer.right - outer.left != record.width || outer.bottom - outer.top != record.height || outer.left != left ||
       outer.top != top))
    SetWindowPos(hwnd_, nullptr, left, top, record.width, record.height, SWP_NOZORDER | SWP_NOACTIVATE);

  RememberPlace();
  const ProgramIcons& icons = Icons();
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  if (!IntValue(19)) {
    // A window without a system menu has nothing to remove.
    if (HMENU menu = GetSystemMenu(hwnd_, FALSE)) DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  }
  return true;
}

void WindowObject::RememberPlace() {
  RECT client{};
  POINT origin{0, 0};
  GetClientRect(hwnd_, &client);
  ClientToScreen(hwnd_, &origin);
  lastSize_ = MAKELPARAM(client.right, client.bottom);
  lastMove_ = MAKELPARAM(origin.x, origin.y);
}

bool WindowObject::ChangedPlace(UINT message, LPARAM lParam) {
  LPARAM& last = message == WM_MOVE ? lastMove_ : lastSize_;
  const bool changed = last != lParam;
  last = lParam;
  return changed;
}

void WindowObject::SyncTitleBar() {
  if (IntValue(9) == 0) return;
  const LONG_PTR old = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  const LONG_PTR wanted = (old & ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU)) | TitleBarStyle(*this);
  if (wanted == old) return;
  SetWindowLongPtrA(hwnd_, GWL_STYLE, wanted);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowObject::WriteOwn(int32_t number, const PropertyInput& value) {
  UnitObject::WriteOwn(number, value);
  if (number == property::Caption) {
    // The title bar shows the new caption at once, even inside a handler.
    SetWindowTextA(hwnd_, TextValue(8).c_str());
    SyncTitleBar();
  }
}

bool WindowObject::ForwardToUnit(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (UnitObject* unit = window().UnitFor(reinterpret_cast<HWND>(lParam))) return unit->OnCommand(HIWORD(wParam));
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (UnitObject* unit = window().UnitFor(header->hwndFrom)) return unit->OnNotify(header, result);
      return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (UnitObject* unit = window().UnitFor(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = unit->OnControlColour(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
  }
  return false;
}

bool WindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(ResolveColour(IntValue(10))));
      result = 1;
      return true;
    }
    case WM_ACTIVATE:
      result = DefWindowProcA(hwnd_, message, wParam, lParam);
      OnActivate(window(), LOWORD(wParam) != WA_INACTIVE);
      return true;
    case WM_SETFOCUS:
      OnWindowFocus(window());
      return true;
    case WM_CLOSE:
      RequestClose(window());
      return true;
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_DESTROY:
      Raise(event::Destroyed);
      return true;
    case WM_MOVE:
      if (ChangedPlace(message, lParam)) Raise(event::Moved);
      return false;
    case WM_SIZE:
      if (ChangedPlace(message, lParam)) Raise(event::Resized);
      return false;
    case WM_SHOWWINDOW:
      Raise(wParam ? event::Shown : event::Hidden);
      return false;
  }
  return ForwardToUnit(message, wParam, lParam, result);
}

LRESULT CALLBACK WindowObject::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = BoundObject<WindowObject>(hwnd, message, lParam);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    OnWindowGone(self->window());  // may delete self
    return result;
  }
  LRESULT result = 0;
  if (self->HandleMessage(message, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tavrel
