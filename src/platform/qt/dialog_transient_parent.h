#pragma once

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace lumivane {

// Ties a dialog to the window that opens it, for as long as the dialog is
// open: window managers keep it above that window, and while it is modal Qt
// blocks that window.
//
// Weston's X11 window manager hands utility windows (Qt::Tool, as the world
// window is) to its desktop shell as unmanaged surfaces, and weston 10's
// shell crashes, ending the session, when a dialog transient for one is
// mapped. There, the dialog is made transient for a stand-in that is itself
// transient for the tool window but never shown: Qt still blocks the tool
// window, and the X server sees the dialog transient for the program's
// window group instead. Elsewhere the dialog stays as Qt made it.
class DialogTransientParent {
 public:
  // Before the dialog is shown.
  explicit DialogTransientParent(QWidget& dialog);
  ~DialogTransientParent();

  DialogTransientParent(const DialogTransientParent&) = delete;
  DialogTransientParent& operator=(const DialogTransientParent&) = delete;

 private:
  QPointer<QWidget> dialog_;
  QPointer<QWindow> owner_;  // the tool window, while the stand-in replaces it
  QWindow standIn_;          // never created: Qt names the group's leader instead
};

}  // namespace lumivane
