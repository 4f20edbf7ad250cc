#pragma once

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QWidget>

class QEvent;

namespace lumivane {

// A tray without a visual of its own embeds the icon in a window without an
// alpha channel, where the icon's transparent pixels come out black. There
// the icon is painted over the tray's own background instead, read once per
// place from the X server (the window takes its parent's background). The
// tray takes the window in after Qt has created it, so the background is read
// again whenever the window's parent has changed, and shortly after.
class TrayIconBackdrop {
 public:
  // For an event of the icon's window: on a paint, paints the icon over the
  // tray's background and returns true; false leaves the event to Qt (also
  // where the window has an alpha channel, or off X11). Moves and resizes
  // make the next paint read the background afresh.
  bool Filter(QWidget& window, QEvent& event, const QIcon& icon);

 private:
  QPointer<QWidget> window_;  // whose background is held
  unsigned parent_ = 0;       // and the X window it was read from
  QImage background_;
};

// The X window that holds a widget's native window, or 0 off X11.
unsigned ParentWindow(const QWidget& window);

// The pixels an X window shows of its parent's background, at the window's
// size in device pixels; null unless the window is a viewable 24-bit one.
// Sets the window's background to its parent's.
QImage ReadParentBackground(const QWidget& window);

}  // namespace lumivane
