#pragma once

#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "app/ports.h"
#include "app/world_window.h"
#include "platform/qt/clock_change_watch.h"
#include "platform/qt/qt_time_zones.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_tray_icon.h"
#include "render/ports.h"
#include "settings/ports.h"

class QScreen;

namespace lumivane {

class QtSetupDialog;

// What the world window needs besides the window system, which it is itself.
struct QtWorldWindowServices {
  ProfileStore& store;
  StartupRegistration& startup;
  BuiltinImageSource& images;
  MapImageLoader& mapLoader;
  Clock& clock;
  QString applicationName;  // caption of the message boxes
};

// The world window on Qt: a frameless tool window that the map fills. It
// turns Qt's events into the calls of the core's WorldWindow and carries out
// what the core asks of the window system; it decides nothing itself.
class QtWorldWindow final : public QWidget,
                            public Window,
                            public Timers,
                            public NotificationArea,
                            public SetupDialog,
                            public FrameWindow {
  Q_OBJECT

 public:
  explicit QtWorldWindow(const QtWorldWindowServices& services);
  ~QtWorldWindow() override;

  // Initialises the core's window (icons, map, settings, placement, refresh
  // timer) and shows it.
  void Start();
  // Start, then runs until the window ends; returns how it ended.
  int Run();
  // The session or the terminal ends the program (a signal): as a close
  // request does, also while the setup dialog or a message box is open.
  void EndSession();
  // The X server has gone and the process is ending: the place is saved as
  // on a close request, with any message on standard error.
  void EndAfterLostDisplay();

  bool ended() const { return ended_; }
  const WorldWindow& core() const { return *core_; }
  const QtTrayIcon& trayIcon() const { return tray_; }
  const QTimer& refreshTimer() const { return refreshTimer_; }

  // Window, Timers, NotificationArea, SetupDialog
  void SetWindowIcons() override;
  std::vector<WindowRect> MonitorRects() override;
  WindowRect GetWindowPlacement() override;
  void SetWindowPlacement(const WindowRect& normalPosition) override;
  void SetZOrder(ZOrder order) override;
  void StartTimer(TimerId id, std::int32_t periodMs) override;
  void StopTimer(TimerId id) override;
  void RedrawNow() override;
  int AddTrayIcon(const std::string& tip) override;
  int RemoveTrayIcon() override;
  int RunSetupDialog() override;
  void EndWorldWindow(int result) override;
  void ShowTooltip(const std::string& text) override;
  void HideTooltip() override;

  // FrameWindow
  bool IsMinimised() const override;
  double DevicePixelRatio() const override;
  void ShowFrame(const Image& frame) override;
  void DescribeFrame(const std::string& description) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectScreens();
  void watchScreen(QScreen* screen);
  void desktopChanged();
  void setButtonHeld(bool held);
  QTimer& timer(TimerId id);
  void setStaysOnTop(bool onTop);

  QtWorldWindowServices services_;
  QtMessageBox messages_;
  QtTrayIcon tray_;
  QTimer refreshTimer_;
  QTimer peekTimer_;
  QTimer tooltipTimer_;
  QtTimeZones zones_;
  ClockChangeWatch clockWatch_;
  QEventLoop loop_;
  QPointer<QtSetupDialog> setupDialog_;  // while it is open
  std::unique_ptr<WorldWindow> core_;

  // Painting: inside paintEvent the core's frames go to this painter; a frame
  // handed over outside a paint is kept and drawn by a paint of its own.
  QPainter* painter_ = nullptr;
  QImage pendingFrame_;
  bool drawingPendingFrame_ = false;

  // Where the program last placed the window, or where the window manager
  // put it while no button was held. Drags and the saved placement work from
  // this and the pointer's screen position only: a window manager may report
  // a passing position while the press that starts a drag activates the
  // window.
  QRect placement_;
  bool buttonHeld_ = false;
  // At the press that began the held button: the placement, and where the
  // X server had the window.
  QRect placementAtPress_;
  std::optional<QPoint> serverPositionAtPress_;

  bool ended_ = false;
  bool endRequested_ = false;
  int result_ = 0;
};

}  // namespace lumivane
