#pragma once

class QWindow;

namespace lumivane {

// Asks the window manager to leave a top-level window out of taskbars and
// pagers (_NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER). Call it
// while the window is not mapped: window managers read the state when they
// take a window on. Does nothing off X11.
void SkipTaskbarAndPager(QWindow& window);

}  // namespace lumivane
