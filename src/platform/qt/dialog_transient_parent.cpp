#include "platform/qt/dialog_transient_parent.h"

#include "platform/qt/x11_window_state.h"

namespace lumivane {

DialogTransientParent::DialogTransientParent(QWidget& dialog) : dialog_(&dialog) {
  const QWidget* parent = dialog.parentWidget();
  if (parent == nullptr || parent->window()->windowType() != Qt::Tool) return;
  QWindow* owner = parent->window()->windowHandle();
  if (owner == nullptr || X11WindowManagerName() != "Weston WM") return;
  owner_ = owner;
  standIn_.setTransientParent(owner);
  // Qt gives the dialog its transient parent when it makes the native window.
  dialog.winId();
  dialog.windowHandle()->setTransientParent(&standIn_);
}

DialogTransientParent::~DialogTransientParent() {
  if (dialog_ && owner_ && dialog_->windowHandle() != nullptr) {
    dialog_->windowHandle()->setTransientParent(owner_);
  }
}

}  // namespace lumivane
