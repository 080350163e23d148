// A Windows tool of the tests, never shipped: puts the program's desktop
// face up, through the program's own code, long enough to be looked at, and
// reads back what another process shows, so that a check on a desktop
// without a person (an X server under wine) can tell what a user would see.
//   scenpack_desktop_probe window SECONDS  the waiting window as a run opens
//                                          it, up for SECONDS as if the
//                                          work took that long; prints the
//                                          font of its label
//   scenpack_desktop_probe box             the message box of fault 1250,
//                                          from the build's fault path,
//                                          over the waiting window
//   scenpack_desktop_probe look            prints what the waiting window
//                                          on the desktop shows
//   scenpack_desktop_probe answer          prints what the message box on
//                                          the desktop shows, then presses
//                                          its OK button
// look and answer wait up to 20 s for their window and exit 1 without one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/win32/wide_text.h"
#include "platform/window.h"

namespace {

using scenpack::win32::narrow;

constexpr DWORD kWaitMilliseconds = 20000;
constexpr DWORD kPollMilliseconds = 100;

HWND wait_for_window(const wchar_t* window_class, const wchar_t* title) {
  for (DWORD waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    if (HWND w = FindWindowW(window_class, title)) return w;
    Sleep(kPollMilliseconds);
  }
  return nullptr;
}

std::string text_of(HWND w) {
  wchar_t text[256] = L"";
  GetWindowTextW(w, text, 256);
  return narrow(text);
}

std::string class_of(HWND w) {
  wchar_t name[64] = L"";
  GetClassNameW(w, name, 64);
  return narrow(name);
}

std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

// The font the label asks for, face and size in points, then the face the
// system draws it with (where a face is missing, a look-alike): only the
// process that made the font can tell.
std::string label_font(HWND label) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  LOGFONTW asked{};
  if (font == nullptr || GetObjectW(font, sizeof asked, &asked) == 0) return "the system's";
  HDC dc = GetDC(label);
  const int points = MulDiv(asked.lfHeight < 0 ? -asked.lfHeight : asked.lfHeight, 72, GetDeviceCaps(dc, LOGPIXELSY));
  const HGDIOBJ was = SelectObject(dc, font);
  wchar_t drawn[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, drawn);
  SelectObject(dc, was);
  ReleaseDC(label, dc);
  return "\"" + narrow(asked.lfFaceName) + "\" " + std::to_string(points) + "pt, drawn with \"" + narrow(drawn) + "\"";
}

std::string client_size(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// window "scenpack" visible client 240x64 label "Attendere" (Static, 240x64)
int look() {
  HWND w = wait_for_window(L"scenpack.waiting", nullptr);
  if (w == nullptr) {
    std::puts("no waiting window");
    return 1;
  }
  std::printf("window \"%s\" %s client %s", text_of(w).c_str(), IsWindowVisible(w) ? "visible" : "hidden",
              client_size(w).c_str());
  for (HWND c : children_of(w)) {
    std::printf(" label \"%s\" (%s, %s%s)", text_of(c).c_str(), class_of(c).c_str(), client_size(c).c_str(),
                IsWindowVisible(c) ? "" : ", hidden");
  }
  std::puts("");
  return 0;
}

// box "scenpack" text " Errore n. 1250" buttons "OK"
int answer() {
  HWND box = wait_for_window(L"#32770", L"scenpack");
  if (box == nullptr) {
    std::puts("no message box");
    return 1;
  }
  std::string text, buttons;
  HWND ok = nullptr;
  for (HWND c : children_of(box)) {
    if (!IsWindowVisible(c)) continue;
    const std::string kind = class_of(c);
    const std::string words = text_of(c);
    if (kind == "Button") {
      buttons += (buttons.empty() ? "\"" : " \"") + words + "\"";
      if (GetDlgCtrlID(c) == IDOK) ok = c;
    } else if (kind == "Static" && !words.empty()) {
      text += words;
    }
  }
  std::printf("box \"%s\" text \"%s\" buttons %s\n", text_of(box).c_str(), text.c_str(), buttons.c_str());
  if (ok == nullptr) return 1;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "window" && argc > 2) {
    scenpack::enable_desktop();
    scenpack::show_waiting_window();
    HWND window = FindWindowW(L"scenpack.waiting", nullptr);
    HWND label = window != nullptr ? GetWindow(window, GW_CHILD) : nullptr;
    std::printf("label font %s\n", label != nullptr ? label_font(label).c_str() : "none: no label");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
    return 0;
  }
  if (what == "box") {  // as a run meets the fault: its window is up
    scenpack::enable_desktop();
    scenpack::show_waiting_window();
    scenpack::show_message_box(" Errore n. 1250");
    return 0;
  }
  if (what == "look") return look();
  if (what == "answer") return answer();
  std::fputs("usage: scenpack_desktop_probe window SECONDS | box | look | answer\n", stderr);
  return 64;
}
