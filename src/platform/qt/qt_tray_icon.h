#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/qt/tray_hover_tracker.h"

namespace lumivane {

// The notification-area icon. Its events reach the handler as the mouse
// messages the world window understands: a hover (0x0200), a left click
// (0x0202) or a right click (0x0205). The icon has no menu of its own.
class QtTrayIcon final : public QObject {
  Q_OBJECT

 public:
  using NotifyHandler = std::function<void(std::uint32_t mouseMessage)>;

  // How often the pointer is compared with the icon's place: the tray
  // reports no hover of its own.
  static constexpr int kHoverPollMs = 100;

  explicit QtTrayIcon(NotifyHandler handler, QObject* parent = nullptr);
  ~QtTrayIcon() override;

  // 1 when the icon is shown; 0 when the desktop has no notification area.
  int Add(const QIcon& icon, const QString& tip);
  // 1 when an icon was removed, else 0.
  int Remove();

  bool shown() const { return icon_ != nullptr; }

 private:
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  void PollHover();

  NotifyHandler handler_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  QTimer hoverPoll_;
  TrayHoverTracker hover_;
};

}  // namespace lumivane
