// Drives a running Lumivane.exe from outside, the way a user would, for the
// end-to-end test. One command per run; results on stdout.
//
//   rect               world window's rectangle: "left top right bottom"
//   count              number of world windows
//   drag DX DY         left-button drag by (DX, DY) client pixels; new rect
//   move-plain         a move with no button (ends any drag)
//   rclick             right click on the map (opens the setup dialog)
//   menu-key           the menu key on the map (opens the setup dialog)
//   title              the world window's text, its name for screen readers
//   enter | esc        the key on the world window
//   display-change W H once the screen is W x H, tells the world window the
//                      displays changed, as the system does; new rect
//   setup SIZE DARK [ID...]  in the open setup dialog: both trackbars, a
//                      click on each check box ID, then OK
//   setup-cancel       Cancel in the setup dialog
//   setup-state        "size dark id=checked ..." of the open setup dialog
//   wait-gone          waits until no world window is left
//   message            the text of the open message box ("\n" for line
//                      breaks), then presses its OK
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

constexpr DWORD kTimeoutMs = 10000;
constexpr int kCheckBoxes[] = {IDC_ALWAYS_ON_TOP, IDC_SHOW_TRAY_ICON, IDC_SHOW_SUN,
                               IDC_SHOW_MOON,     IDC_RUN_AT_STARTUP, IDC_SUN_CENTERED};

// The program's windows are all dialogs captioned "Lumivane": the world
// window (a tool window, its caption only for screen readers), the setup
// dialog and the message boxes.
bool IsLumivaneDialog(HWND window) {
  char className[64] = {};
  char title[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  return std::strcmp(className, "#32770") == 0 && std::strcmp(title, "Lumivane") == 0 &&
         IsWindowVisible(window);
}

bool IsToolWindow(HWND window) {
  return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
}

BOOL CALLBACK CollectLumivaneDialog(HWND window, LPARAM list) {
  if (IsLumivaneDialog(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> LumivaneDialogs() {
  std::vector<HWND> found;
  EnumWindows(&CollectLumivaneDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> WorldWindows() {
  std::vector<HWND> found;
  for (HWND window : LumivaneDialogs()) {
    if (IsToolWindow(window)) found.push_back(window);
  }
  return found;
}

// The first of the program's other dialogs that has the control `id`.
HWND DialogWithControl(int id) {
  for (HWND window : LumivaneDialogs()) {
    if (!IsToolWindow(window) && GetDlgItem(window, id) != nullptr) return window;
  }
  return nullptr;
}

template <typename Find>
HWND WaitFor(Find find) {
  for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
    if (HWND window = find()) return window;
    Sleep(50);
  }
  return nullptr;
}

HWND WorldWindow() {
  return WaitFor([] {
    const std::vector<HWND> windows = WorldWindows();
    return windows.empty() ? nullptr : windows.front();
  });
}

HWND SetupDialog() {
  return WaitFor([] { return DialogWithControl(IDC_SCALE); });
}

void PrintRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
}

// Waits until the window's rectangle has stayed the same for a while.
void WaitUntilSettled(HWND window) {
  RECT last{};
  GetWindowRect(window, &last);
  int stable = 0;
  for (DWORD waited = 0; waited < kTimeoutMs && stable < 6; waited += 50) {
    Sleep(50);
    RECT now{};
    GetWindowRect(window, &now);
    stable = std::memcmp(&now, &last, sizeof now) == 0 ? stable + 1 : 0;
    last = now;
  }
}

int Fail(const char* what) {
  std::fprintf(stderr, "driver: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("no command");
  const std::string command = argv[1];

  if (command == "count") {
    std::printf("%zu\n", WorldWindows().size());
    return 0;
  }
  if (command == "wait-gone") {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
      if (WorldWindows().empty()) return 0;
      Sleep(50);
    }
    return Fail("the world window is still there");
  }

  if (command == "message") {
    // Only a message box has the static text control 0xFFFF.
    HWND box = WaitFor([] { return DialogWithControl(0xFFFF); });
    if (box == nullptr) return Fail("no message box");
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    for (const char* c = text; *c != '\0'; ++c) {
      if (*c == '\n') {
        std::printf("\\n");
      } else if (*c != '\r') {
        std::putchar(*c);
      }
    }
    std::printf("\n");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
  }

  if (command.rfind("setup", 0) == 0) {
    HWND dialog = SetupDialog();
    if (dialog == nullptr) return Fail("no setup dialog");
    if (command == "setup-cancel") {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return 0;
    }
    if (command == "setup-state") {
      std::printf(
          "%ld %ld", static_cast<long>(SendDlgItemMessageA(dialog, IDC_SCALE, TBM_GETPOS, 0, 0)),
          static_cast<long>(SendDlgItemMessageA(dialog, IDC_NIGHT_DARKNESS, TBM_GETPOS, 0, 0)));
      for (int id : kCheckBoxes) {
        std::printf(" %d=%d", id,
                    static_cast<int>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0)));
      }
      std::printf("\n");
      return 0;
    }
    if (command == "setup" && argc >= 4) {
      SendDlgItemMessageA(dialog, IDC_SCALE, TBM_SETPOS, TRUE, std::atoi(argv[2]));
      SendDlgItemMessageA(dialog, IDC_NIGHT_DARKNESS, TBM_SETPOS, TRUE, std::atoi(argv[3]));
      for (int i = 4; i < argc; ++i) {
        SendMessageA(GetDlgItem(dialog, std::atoi(argv[i])), BM_CLICK, 0, 0);
      }
      // Posted: OK runs the settings' writes and ends the nested modal loop.
      PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      for (DWORD waited = 0; waited < kTimeoutMs && IsWindow(dialog); waited += 50) Sleep(50);
      return IsWindow(dialog) ? Fail("the setup dialog stayed open") : 0;
    }
    return Fail("bad setup command");
  }

  HWND world = WorldWindow();
  if (world == nullptr) return Fail("no world window");

  if (command == "rect") {
    PrintRect(world);
  } else if (command == "drag" && argc == 4) {
    const int dx = std::atoi(argv[2]);
    const int dy = std::atoi(argv[3]);
    // Posted, in order: the grab, the move, and a move without the button
    // that ends the drag.
    PostMessageA(world, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(world, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10 + dx, 10 + dy));
    PostMessageA(world, WM_MOUSEMOVE, 0, MAKELPARAM(10 + dx, 10 + dy));
    WaitUntilSettled(world);
    PrintRect(world);
  } else if (command == "display-change" && argc == 4) {
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const auto resized = [&] {
      return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height;
    };
    for (DWORD waited = 0; waited < kTimeoutMs && !resized(); waited += 50) Sleep(50);
    if (!resized()) return Fail("the screen did not take the new size");
    PostMessageA(world, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
    WaitUntilSettled(world);
    PrintRect(world);
  } else if (command == "move-plain") {
    PostMessageA(world, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  } else if (command == "rclick") {
    // Posted: the setup dialog's modal loop starts inside the handler.
    PostMessageA(world, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  } else if (command == "menu-key") {
    // What the menu key and Shift+F10 become: a context-menu request with
    // no point.
    PostMessageA(world, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(world), -1);
  } else if (command == "title") {
    char title[64] = {};
    GetWindowTextA(world, title, sizeof title);
    std::printf("%s\n", title);
  } else if (command == "enter" || command == "esc") {
    const WPARAM key = command == "esc" ? VK_ESCAPE : VK_RETURN;
    PostMessageA(world, WM_KEYDOWN, key, 0);
    PostMessageA(world, WM_KEYUP, key, 0);
  } else {
    return Fail("unknown command");
  }
  return 0;
}
