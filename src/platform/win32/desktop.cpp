// The desktop face on Windows: the small "Attendere" window and the message
// box of the stopping faults.
#include "platform/desktop.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace scenpack {
namespace {

constexpr wchar_t kWindowClass[] = L"scenpack.waiting";
constexpr wchar_t kTitle[] = L"scenpack";
constexpr char kBoxTitle[] = "scenpack";  // the application's title
constexpr int kClientWidth = 240;
constexpr int kClientHeight = 64;
constexpr wchar_t kLabelFont[] = L"MS Sans Serif";  // the classic dialog font
constexpr int kLabelPoints = 8;

// The waiting window once open: the owner of the message box, which is
// modal to it as a dialog is to its form.
HWND waiting_window = nullptr;

LRESULT CALLBACK waiting_window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcW(window, message, w, l);
}

// Delivers what is queued (the paint of the window and its label) without
// waiting for more: the work starts right after.
void paint_now(HWND window) {
  UpdateWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The label's font at its size in points on this screen. A system without
// the face draws a look-alike; the dialog font stands in only should no font
// be made at all.
HFONT label_font() {
  HDC screen = GetDC(nullptr);
  const int pixels_per_inch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  const int height = -MulDiv(kLabelPoints, pixels_per_inch, 72);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kLabelFont);
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

void open_desktop_window(std::string_view label) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = waiting_window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  RegisterClassW(&window_class);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION;  // fixed size: no sizing border, no buttons
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(0, kWindowClass, kTitle, style, x, y, width, height, nullptr, nullptr, instance,
                                nullptr);
  if (window == nullptr) return;  // no desktop to show it on: the console line stands alone
  HWND text = CreateWindowExW(0, L"STATIC", win32::widen(std::string(label)).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, kClientWidth, kClientHeight,
                              window, nullptr, instance, nullptr);
  // Kept until the process ends, with the window.
  if (text != nullptr) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(label_font()), TRUE);
  ShowWindow(window, SW_SHOWNORMAL);
  paint_now(window);
  waiting_window = window;
}

void show_desktop_message_box(std::string_view text) {
  MessageBoxA(waiting_window, std::string(text).c_str(), kBoxTitle, MB_OK);
}

}  // namespace scenpack
