#include "platform/qt/qt_world_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QThread>
#include <QToolTip>
#include <QCursor>
#include <QWindow>
#include <algorithm>

#include "platform/qt/dialog_transient_parent.h"
#include "platform/qt/mouse_key_state.h"
#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_image_convert.h"
#include "platform/qt/qt_setup_dialog.h"
#include "platform/qt/x11_window_position.h"
#include "platform/qt/x11_window_state.h"

namespace lumivane {
namespace {

// How long a window manager may take to carry out the first move of a drag.
constexpr int kWindowManagerMoveMs = 300;

WindowRect ToWindowRect(const QRect& rect) {
  return WindowRect{rect.left(), rect.top(), rect.left() + rect.width(),
                    rect.top() + rect.height()};
}

}  // namespace

QtWorldWindow::QtWorldWindow(const QtWorldWindowServices& services)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      services_(services),
      messages_(this, services.applicationName),
      tray_([this](TrayEvent event) {
        if (ended_) return;
        // The open setup dialog takes no tray clicks; it comes back instead,
        // so that it cannot get lost behind other windows.
        if (setupDialog_ && event != TrayEvent::PointerMoved) {
          setupDialog_->BringBack();
        }
        core_->OnTrayNotify(event);
      }),
      clockWatch_(
          [this] {
            if (!ended_) core_->OnClockChanged();
          },
          this) {
  // Moves without a button must arrive too: they end a drag.
  setMouseTracking(true);
  // Every pixel comes from the map; nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setAccessibleName(services_.applicationName);
  placement_ = geometry();

  // A coarse timer may fire a little early, and a refresh that comes before
  // the picture is due only repeats the cached one.
  refreshTimer_.setTimerType(Qt::PreciseTimer);
  // The tooltip's wait is one shot, started again by each move.
  tooltipTimer_.setSingleShot(true);
  for (const TimerId id : {TimerId::Refresh, TimerId::Peek, TimerId::Tooltip}) {
    connect(&timer(id), &QTimer::timeout, this, [this, id] {
      if (!ended_) core_->OnTimer(id);
    });
  }
  connectScreens();

  core_ = std::make_unique<WorldWindow>(
      WorldWindowPorts{*this, *this, *this, *this, *this, services_.store, services_.mapLoader,
                       messages_, services_.startup, services_.images, services_.clock, zones_});
}

QtWorldWindow::~QtWorldWindow() = default;

void QtWorldWindow::Start() {
  // The native window exists before the core sets its z-order band.
  create();
  // It is never made again: flags change on it, not on the widget.
  windowHandle()->installEventFilter(this);
  core_->OnInitDialog();
  if (!ended_) show();
}

int QtWorldWindow::Run() {
  Start();
  if (ended_) return result_;
  return loop_.exec();
}

void QtWorldWindow::EndSession() {
  if (ended_) return;
  endRequested_ = true;
  // A modal window (the setup dialog, a message box) ends first; the setup
  // then ends as its Exit button ends it. The rest waits for the loop below
  // it, so that whatever opened it finishes first.
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
    dialog->reject();
  }
  QTimer::singleShot(0, this, [this] {
    if (ended_) return;
    if (setupDialog_ || QApplication::activeModalWidget() != nullptr) {
      EndSession();
    } else {
      core_->OnCancel();
    }
  });
}

void QtWorldWindow::EndAfterLostDisplay() {
  if (ended_) return;
  QtMessageBox::DisplayLost();
  core_->OnCancel();
}

// --- events ------------------------------------------------------------------

void QtWorldWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (drawingPendingFrame_) {
    painter.drawImage(0, 0, pendingFrame_);
    return;
  }
  if (ended_) return;
  painter_ = &painter;
  core_->OnPaint();
  painter_ = nullptr;
}

void QtWorldWindow::mousePressEvent(QMouseEvent* event) {
  setButtonHeld(true);
  if (!ended_) core_->OnButtonDown();
  // A click makes the window active, so that Esc reaches it.
  if (event->button() == Qt::LeftButton) activateWindow();
}

void QtWorldWindow::mouseMoveEvent(QMouseEvent* event) {
  if (ended_) return;
  setButtonHeld(event->buttons() != Qt::NoButton);
  // The pointer's screen position against where the window was placed: the
  // same rectangle the drag reads back, so the two always agree even while
  // the window manager has not caught up with a move yet.
  const QPoint client = event->globalPosition().toPoint() - placement_.topLeft();
  core_->OnMouseMove(MouseKeyState(event->buttons(), event->modifiers()), client.x(), client.y());
}

void QtWorldWindow::mouseReleaseEvent(QMouseEvent* event) {
  setButtonHeld(event->buttons() != Qt::NoButton);
  if (ended_) return;
  if (event->button() == Qt::LeftButton) {
    core_->OnLButtonUp();
  } else if (event->button() == Qt::RightButton) {
    core_->OnRButtonUp();
  }
}

void QtWorldWindow::leaveEvent(QEvent* event) {
  if (!ended_) core_->OnMouseLeave();
  QWidget::leaveEvent(event);
}

void QtWorldWindow::keyPressEvent(QKeyEvent* event) {
  if (ended_) return;
  if (event->key() == Qt::Key_Escape) {
    core_->OnCancel();
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    core_->OnOK();
  } else if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    // The context menu's other key, which X11 does not turn into a
    // context-menu request by itself.
    core_->OnRButtonUp();
  } else {
    QWidget::keyPressEvent(event);
  }
}

// The menu key: the setup opens as on a right click. A right click itself
// arrives as the button's release.
void QtWorldWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Keyboard) {
    event->ignore();
    return;
  }
  if (!ended_) core_->OnRButtonUp();
}

void QtWorldWindow::closeEvent(QCloseEvent* event) {
  // A close request ends the program the way Esc does; the window itself
  // only closes through EndWorldWindow.
  event->ignore();
  if (!ended_) core_->OnCancel();
}

void QtWorldWindow::showEvent(QShowEvent* event) {
  // Sent before the native window is mapped, which is when the state counts.
  if (QWindow* window = windowHandle(); window != nullptr && !event->spontaneous()) {
    SkipTaskbarAndPager(*window);
  }
  QWidget::showEvent(event);
}

// Moves and resizes that the window manager makes on its own (outside a
// press) become the window's placement.
void QtWorldWindow::moveEvent(QMoveEvent* event) {
  if (!buttonHeld_) placement_.moveTopLeft(pos());
  QWidget::moveEvent(event);
}

// Some window managers (Wayland compositors among them) place X11 windows
// themselves and never move them where the program asks. When the server
// still has the window where the press found it after a drag moved it, it
// stayed there: that is the place to save and drag from.
void QtWorldWindow::setButtonHeld(bool held) {
  QWindow* window = windowHandle();
  if (held && !buttonHeld_) {
    placementAtPress_ = placement_;
    serverPositionAtPress_ = window != nullptr ? X11WindowPosition(*window) : std::nullopt;
  }
  if (!held && buttonHeld_ && serverPositionAtPress_ && placement_ != placementAtPress_) {
    // A window manager that does move it may not have caught up yet.
    const QDeadlineTimer deadline(kWindowManagerMoveMs);
    bool stayed = X11WindowPosition(*window) == serverPositionAtPress_;
    while (stayed && !deadline.hasExpired()) {
      QThread::msleep(10);
      stayed = X11WindowPosition(*window) == serverPositionAtPress_;
    }
    if (stayed) placement_ = placementAtPress_;
  }
  buttonHeld_ = held;
}

void QtWorldWindow::resizeEvent(QResizeEvent* event) {
  if (!buttonHeld_) placement_.setSize(size());
  QWidget::resizeEvent(event);
}

bool QtWorldWindow::eventFilter(QObject* watched, QEvent* event) {
  // Qt answers an expose from its copy of the window without painting, and
  // that copy may show a picture the paint rule would now recompute: marked
  // for painting first, every expose comes to the core's paint.
  if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
    update();
  }
  return QWidget::eventFilter(watched, event);
}

// Monitors come and go and their areas change: the window re-anchors on
// whichever it is on then.
void QtWorldWindow::connectScreens() {
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &QtWorldWindow::desktopChanged);
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, &QtWorldWindow::desktopChanged);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
    watchScreen(screen);
    desktopChanged();
  });
  for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
}

void QtWorldWindow::watchScreen(QScreen* screen) {
  connect(screen, &QScreen::availableGeometryChanged, this, &QtWorldWindow::desktopChanged);
}

void QtWorldWindow::desktopChanged() {
  if (!ended_) core_->OnSettingChange();
}

// --- Window, Timers, NotificationArea, SetupDialog ---------------------------

void QtWorldWindow::SetWindowIcons() { setWindowIcon(AppIcon()); }

std::vector<WindowRect> QtWorldWindow::MonitorRects() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  std::vector<WindowRect> monitors;
  if (primary != nullptr) monitors.push_back(ToWindowRect(primary->availableGeometry()));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) monitors.push_back(ToWindowRect(screen->availableGeometry()));
  }
  return monitors;
}

WindowRect QtWorldWindow::GetWindowPlacement() { return ToWindowRect(placement_); }

void QtWorldWindow::SetWindowPlacement(const WindowRect& normalPosition) {
  placement_ =
      QRect(normalPosition.left, normalPosition.top, normalPosition.right - normalPosition.left,
            normalPosition.bottom - normalPosition.top);
  setGeometry(placement_);
}

void QtWorldWindow::SetZOrder(ZOrder order) {
  switch (order) {
    case ZOrder::Top: raise(); break;
    case ZOrder::Bottom: lower(); break;
    case ZOrder::Topmost:
    case ZOrder::NotTopmost:
      setStaysOnTop(order == ZOrder::Topmost);
      raise();
      break;
  }
  SendQueuedRequests();
}

// Changed on the native window: changing the widget's flags would recreate
// it and hide it.
void QtWorldWindow::setStaysOnTop(bool onTop) {
  const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
  if (flags == windowFlags()) return;
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

QTimer& QtWorldWindow::timer(TimerId id) {
  switch (id) {
    case TimerId::Refresh: return refreshTimer_;
    case TimerId::Peek: return peekTimer_;
    case TimerId::Tooltip: break;
  }
  return tooltipTimer_;
}

void QtWorldWindow::StartTimer(TimerId id, std::int32_t periodMs) { timer(id).start(periodMs); }

void QtWorldWindow::StopTimer(TimerId id) { timer(id).stop(); }

void QtWorldWindow::RedrawNow() { repaint(); }

void QtWorldWindow::ShowTooltip(const std::string& text) {
  QToolTip::showText(QCursor::pos(), QString::fromStdString(text), this);
}

void QtWorldWindow::HideTooltip() { QToolTip::hideText(); }

int QtWorldWindow::AddTrayIcon(const std::string& tip) {
  return tray_.Add(AppIcon(), QString::fromStdString(tip));
}

int QtWorldWindow::RemoveTrayIcon() { return tray_.Remove(); }

int QtWorldWindow::RunSetupDialog() {
  QtSetupDialog dialog(services_.store, services_.startup, services_.applicationName, this);
  const DialogTransientParent transientParent(dialog);
  setupDialog_ = &dialog;
  const int result = dialog.exec();
  if (endRequested_) return kIdExit;
  // The focus goes back to the window the dialog belongs to, as on closing
  // any dialog: window managers hand it on only to windows in their
  // taskbar, and this one is not.
  if (!ended_) activateWindow();
  return result;
}

void QtWorldWindow::EndWorldWindow(int result) {
  ended_ = true;
  result_ = result;
  refreshTimer_.stop();
  peekTimer_.stop();
  tooltipTimer_.stop();
  hide();
  loop_.exit(result);
}

// --- FrameWindow -------------------------------------------------------------

bool QtWorldWindow::IsMinimised() const { return isMinimized(); }

double QtWorldWindow::DevicePixelRatio() const { return devicePixelRatioF(); }

void QtWorldWindow::DescribeFrame(const std::string& description) {
  setAccessibleDescription(QString::fromStdString(description));
}

void QtWorldWindow::ShowFrame(const Image& frame) {
  QImage image = QImageFromImage(frame);
  // Composed in device pixels on screens scaled up: drawn one to one.
  image.setDevicePixelRatio(std::max(1.0, devicePixelRatioF()));
  if (painter_ != nullptr) {
    painter_->drawImage(0, 0, image);
    return;
  }
  pendingFrame_ = std::move(image);
  drawingPendingFrame_ = true;
  repaint();
  drawingPendingFrame_ = false;
}

}  // namespace lumivane
