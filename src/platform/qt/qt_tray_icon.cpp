#include "platform/qt/qt_tray_icon.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <utility>

#include "app/ports.h"

namespace lumivane {
namespace {

// The object name Qt gives the window of an icon docked in an XEmbed tray;
// Qt creates it anew whenever a tray appears.
constexpr char kEmbeddedIconWindowName[] = "QSystemTrayIconSys";

// True for the window Qt embeds into an XEmbed tray for the icon.
bool IsEmbeddedIconWindow(const QObject* object) {
  return object != nullptr && object->isWidgetType() &&
         object->objectName() == QLatin1String(kEmbeddedIconWindowName);
}

}  // namespace

QtTrayIcon::QtTrayIcon(NotifyHandler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

QtTrayIcon::~QtTrayIcon() { Remove(); }

int QtTrayIcon::Add(const QIcon& icon, const QString& tip) {
  if (icon_) return 1;
  // Shown even without a tray: Qt docks it as soon as one starts, as it does
  // when a tray restarts.
  icon_ = std::make_unique<QSystemTrayIcon>(icon);
  icon_->setToolTip(tip);
  // Queued: the handler may run a modal dialog, which should not start
  // inside the tray's own mouse handling.
  connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtTrayIcon::OnActivated,
          Qt::QueuedConnection);
  // The icon's window is Qt's own and comes and goes with the tray, so its
  // events are watched at the application.
  QCoreApplication::instance()->installEventFilter(this);
  icon_->show();
  return QSystemTrayIcon::isSystemTrayAvailable() ? 1 : 0;
}

int QtTrayIcon::Remove() {
  if (!icon_) return 0;
  QCoreApplication::instance()->removeEventFilter(this);
  icon_->hide();
  icon_.reset();
  return 1;
}

bool QtTrayIcon::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
      // The pointer came onto the icon or moves over it: a hover, as a
      // notification area reports one.
      if (IsEmbeddedIconWindow(watched)) handler_(TrayEvent::PointerMoved);
      break;
    case QEvent::Paint:
    case QEvent::Move:
    case QEvent::Resize:
      if (icon_ && IsEmbeddedIconWindow(watched)) {
        return backdrop_.Filter(static_cast<QWidget&>(*watched), *event, icon_->icon());
      }
      break;
    default: break;
  }
  return false;
}

void QtTrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  // A double click means nothing to the world window.
  if (reason == QSystemTrayIcon::Trigger) handler_(TrayEvent::LeftButtonUp);
  if (reason == QSystemTrayIcon::Context) handler_(TrayEvent::RightButtonUp);
}

}  // namespace lumivane
