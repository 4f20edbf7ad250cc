#pragma once

#include <string>

class QWindow;

namespace lumivane {

// Asks the window manager to leave a top-level window out of taskbars and
// pagers (_NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER). Call it
// while the window is not mapped: window managers read the state when they
// take a window on. Does nothing off X11.
void SkipTaskbarAndPager(QWindow& window);

// Sends the requests queued on Qt's X connection. Qt sends them only when
// the next event comes in, so a raise or lower made outside an event's
// handling (a timer's) could wait for seconds. Does nothing off X11.
void SendQueuedRequests();

// The running window manager's name as it announces itself
// (_NET_SUPPORTING_WM_CHECK, then that window's _NET_WM_NAME), e.g.
// "Openbox"; empty when none announces itself, and off X11.
std::string X11WindowManagerName();

}  // namespace lumivane
