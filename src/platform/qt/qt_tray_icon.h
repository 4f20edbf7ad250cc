#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "app/ports.h"
#include "platform/qt/tray_icon_backdrop.h"

class QWidget;

namespace lumivane {

// The notification-area icon. Its events reach the handler as the world
// window's tray events: a hover, a left click or a right click. The icon has
// no menu of its own.
//
// Hovers come from the icon's own window on trays that embed one (XEmbed):
// the pointer entering it or moving over it. StatusNotifier hosts draw the
// icon themselves and report no hover, so nothing is watched there: the
// program stays idle between its refreshes either way.
class QtTrayIcon final : public QObject {
  Q_OBJECT

 public:
  using NotifyHandler = std::function<void(TrayEvent event)>;

  explicit QtTrayIcon(NotifyHandler handler, QObject* parent = nullptr);
  ~QtTrayIcon() override;

  // Shows the icon. It appears whenever a notification area is there: at
  // once, or when one starts later. 1 when one is there now, else 0.
  int Add(const QIcon& icon, const QString& tip);
  // 1 when an icon was removed, else 0.
  int Remove();

  bool shown() const { return icon_ != nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnActivated(QSystemTrayIcon::ActivationReason reason);

  NotifyHandler handler_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  TrayIconBackdrop backdrop_;
};

}  // namespace lumivane
