#include "platform/qt/qt_tray_icon.h"

#include <QCursor>
#include <utility>

#include "app/window_system.h"

namespace lumivane {

QtTrayIcon::QtTrayIcon(NotifyHandler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  hoverPoll_.setInterval(kHoverPollMs);
  connect(&hoverPoll_, &QTimer::timeout, this, &QtTrayIcon::PollHover);
}

QtTrayIcon::~QtTrayIcon() { Remove(); }

int QtTrayIcon::Add(const QIcon& icon, const QString& tip) {
  if (icon_) return 1;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return 0;
  icon_ = std::make_unique<QSystemTrayIcon>(icon);
  icon_->setToolTip(tip);
  // Queued: the handler may run a modal dialog, which should not start
  // inside the tray's own mouse handling.
  connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtTrayIcon::OnActivated,
          Qt::QueuedConnection);
  icon_->show();
  hoverPoll_.start();
  return 1;
}

int QtTrayIcon::Remove() {
  if (!icon_) return 0;
  hoverPoll_.stop();
  icon_->hide();
  icon_.reset();
  hover_ = TrayHoverTracker();
  return 1;
}

void QtTrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  MouseMessage message;
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      message = MouseMessage::LeftButtonUp;
      break;
    case QSystemTrayIcon::Context:
      message = MouseMessage::RightButtonUp;
      break;
    case QSystemTrayIcon::DoubleClick:
      message = MouseMessage::LeftButtonDoubleClick;
      break;
    default:
      return;
  }
  handler_(static_cast<std::uint32_t>(message));
}

void QtTrayIcon::PollHover() {
  if (!icon_) return;
  const QPoint pointer = QCursor::pos();
  if (hover_.Poll(icon_->geometry().contains(pointer), pointer)) {
    handler_(static_cast<std::uint32_t>(MouseMessage::Move));
  }
}

}  // namespace lumivane
