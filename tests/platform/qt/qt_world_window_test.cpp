#include "platform/qt/qt_world_window.h"

#include <sys/timerfd.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "platform/qt/qt_image_convert.h"
#include "platform/qt/qt_setup_dialog.h"
#include "qt_world_window_fixture.h"
#include "setup/setup_ids.h"

namespace lumivane::testing {
namespace {

class QtWorldWindowTest : public QtShellTest {
 protected:
  // The window at a known place, shown and painted.
  std::unique_ptr<QtWorldWindow> StartedWindow(int x, int y) {
    Store("position/x", x);
    Store("position/y", y);
    auto window = std::make_unique<QtWorldWindow>(Services());
    window->Start();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  // A move with the given buttons and keys, at a point in client coordinates.
  static void MoveWith(QWidget& window, QPoint client, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent move(QEvent::MouseMove, client, window.mapToGlobal(client), Qt::NoButton, buttons,
                     modifiers);
    QApplication::sendEvent(&window, &move);
  }

  // A move with the given buttons at a point on the screen.
  static void MoveAtScreenPoint(QWidget& window, QPoint screen, Qt::MouseButtons buttons) {
    const QPointF local = screen - window.pos();
    QMouseEvent move(QEvent::MouseMove, local, screen, Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
  }

  // Runs `inDialog` once the setup dialog is open, then right-clicks the map.
  static void WithSetupDialog(QtWorldWindow& window,
                              const std::function<void(QtSetupDialog&)>& inDialog) {
    bool reached = false;
    QTimer::singleShot(0, &window, [&] {
      auto* dialog = qobject_cast<QtSetupDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      reached = true;
      inDialog(*dialog);
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(reached);
  }
};

TEST_F(QtWorldWindowTest, StartsFramelessAtTheStoredPlaceAndShowsTheComposedFrame) {
  const auto window = StartedWindow(120, 90);
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(window->windowType(), Qt::Tool);
  EXPECT_EQ(window->geometry(), QRect(120, 90, 400, 200));
  EXPECT_EQ(window->refreshTimer().interval(), 300000);
  EXPECT_EQ(window->refreshTimer().timerType(), Qt::PreciseTimer);

  const auto& frame = window->core().composer().frameCache();
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(ImageFromQImage(window->grab().toImage()), *frame);
}

TEST_F(QtWorldWindowTest, AFrameHandedOverOutsideAPaintIsShownAtOnce) {
  const auto window = StartedWindow(0, 0);
  const Image red(400, 200, MakePixel(255, 0, 0));
  window->ShowFrame(red);  // as a tray hover or a desktop change does
  const QImage shown =
      window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(400, 200));
  EXPECT_EQ(ImageFromQImage(shown), red);
}

// Whether a timerfd of this process waits for a step of the wall clock:
// armed years ahead, absolute and cancelled by the clock's steps.
bool WaitsForAClockStep(int fd) {
  QFile info(QStringLiteral("/proc/self/fdinfo/%1").arg(fd));
  itimerspec left{};
  return info.open(QIODevice::ReadOnly) &&
         info.readAll().contains("clockid: 0\nticks: 0\nsettime flags: 03\n") &&
         timerfd_gettime(fd, &left) == 0 && left.it_value.tv_sec > 100LL * 365 * 86400;
}

TEST_F(QtWorldWindowTest, AWallClockStepRecomputesThePictureAndTheWatchGoesOn) {
  const auto window = StartedWindow(0, 0);
  const auto* watch = window->findChild<QSocketNotifier*>();
  ASSERT_NE(watch, nullptr);
  const int timer = static_cast<int>(watch->socket());
  EXPECT_TRUE(WaitsForAClockStep(timer));

  clock_.now += 60;  // too little for the paint rule
  // Readable at once, as a step of the clock makes it.
  const itimerspec atOnce{{0, 0}, {0, 1}};
  ASSERT_EQ(timerfd_settime(timer, 0, &atOnce, nullptr), 0);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return window->core().composer().lastComputeTime() == clock_.now; }));
  EXPECT_TRUE(WaitsForAClockStep(timer));
}

TEST_F(QtWorldWindowTest, ARestingPointerShowsTheCoresTooltipAndAPressTakesItAway) {
  const auto window = StartedWindow(0, 0);
  MoveWith(*window, QPoint(200, 100), Qt::NoButton);  // 0 N, 0 E on the 400 x 200 map
  EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
  EXPECT_TRUE(QToolTip::text().startsWith(QString::fromUtf8("0.00\u00b0 N, 0.00\u00b0 E\n")))
      << QToolTip::text().toStdString();
  QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(200, 100));
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
  QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(200, 100));
}

TEST_F(QtWorldWindowTest, LeftDragMovesByThePointerOffsetSnapsAndEndsWithoutTheButton) {
  const auto window = StartedWindow(100, 100);
  QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(50, 50));
  MoveWith(*window, QPoint(50, 50), Qt::LeftButton);  // records the grab point
  EXPECT_EQ(window->pos(), QPoint(100, 100));
  MoveWith(*window, QPoint(80, 70), Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(130, 120));

  // 125 pixels left of the grab point leaves the left edge 5 pixels inside
  // the desktop: it snaps onto the edge.
  MoveWith(*window, QPoint(50 - 125, 50), Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(0, 120));
  EXPECT_EQ(window->core().settings().anchorX, -1);
  EXPECT_EQ(window->size(), QSize(400, 200));

  QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(50, 50));
  MoveWith(*window, QPoint(60, 60), Qt::NoButton);
  EXPECT_EQ(window->core().grabPoint().x, -1);
  MoveWith(*window, QPoint(90, 90), Qt::NoButton);
  EXPECT_EQ(window->pos(), QPoint(0, 120));
}

TEST_F(QtWorldWindowTest, ADragFollowsThePointerWhereverTheWindowIsReportedMeanwhile) {
  const auto window = StartedWindow(300, 300);
  QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(50, 50));
  window->move(0, 0);  // a passing position reported while the press activates the window
  MoveAtScreenPoint(*window, QPoint(350, 350), Qt::LeftButton);  // the grab point
  MoveAtScreenPoint(*window, QPoint(360, 325), Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(310, 275));
}

TEST_F(QtWorldWindowTest, DraggingWithShiftOrTheRightButtonDoesNotMove) {
  const auto window = StartedWindow(100, 100);
  MoveWith(*window, QPoint(50, 50), Qt::LeftButton);
  MoveWith(*window, QPoint(70, 70), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(window->core().grabPoint().x, -1);
  MoveWith(*window, QPoint(50, 50), Qt::LeftButton | Qt::RightButton);
  MoveWith(*window, QPoint(90, 90), Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(window->pos(), QPoint(100, 100));
}

TEST_F(QtWorldWindowTest, EscSavesThePlacementAndEndsTheRun) {
  Store("anchor/x", 0);
  Store("position/x", 150);
  Store("position/y", 60);
  QtWorldWindow window(Services());
  QTimer::singleShot(0, &window, [&] {
    QTest::keyClick(&window, Qt::Key_Return);  // Enter: the window stays
    EXPECT_FALSE(window.ended());
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(window.Run(), kIdCancel);
  EXPECT_TRUE(window.ended());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(StoredValue("position/x").toInt(), 150);
  EXPECT_EQ(StoredValue("position/y").toInt(), 60);
  EXPECT_EQ(StoredValue("anchor/x").toInt(), 0);
  EXPECT_EQ(StoredValue("options/start").toInt(), 0);
}

TEST_F(QtWorldWindowTest, TheMenuKeyAndShiftF10OpenTheSetupLikeARightClick) {
  const auto window = StartedWindow(0, 0);
  const auto setupOpens = [&](const std::function<void()>& press) {
    bool opened = false;
    QTimer::singleShot(0, window.get(), [&] {
      if (auto* dialog = qobject_cast<QtSetupDialog*>(QApplication::activeModalWidget())) {
        opened = true;
        dialog->reject();
      }
    });
    press();
    QCoreApplication::processEvents();
    return opened;
  };
  const auto contextMenu = [&](QContextMenuEvent::Reason reason) {
    QContextMenuEvent request(reason, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.get(), &request);
  };
  EXPECT_TRUE(setupOpens([&] { contextMenu(QContextMenuEvent::Keyboard); }));
  EXPECT_TRUE(setupOpens([&] { QTest::keyClick(window.get(), Qt::Key_F10, Qt::ShiftModifier); }));
  // The mouse's request comes with the right button, whose release opens it.
  EXPECT_FALSE(setupOpens([&] { contextMenu(QContextMenuEvent::Mouse); }));
  EXPECT_FALSE(setupOpens([&] { QTest::keyClick(window.get(), Qt::Key_F10); }));
}

TEST_F(QtWorldWindowTest, ScreenReadersHearTheNameAndWhatTheMapShows) {
  const auto window = StartedWindow(0, 0);
  EXPECT_EQ(window->accessibleName(), "Lumivane");
  EXPECT_TRUE(window->accessibleDescription().startsWith(
      "2023-11-14 22:13 UTC. Sun overhead at 18\u00B0 south"))
      << window->accessibleDescription().toStdString();
}

TEST_F(QtWorldWindowTest, ACloseRequestEndsTheRunLikeEsc) {
  QtWorldWindow window(Services());
  QTimer::singleShot(0, &window, [&] { window.close(); });
  EXPECT_EQ(window.Run(), kIdCancel);
  EXPECT_TRUE(StoredValue("position/x").isValid());
}

TEST_F(QtWorldWindowTest, SetupDialogShowsTheStoredValuesAndOkAppliesThem) {
  Store("size/scale", 45);
  Store("options/moon", 0);
  const auto window = StartedWindow(10, 10);
  WithSetupDialog(*window, [](QtSetupDialog& dialog) {
    EXPECT_EQ(dialog.trackbar(SetupTrackbar::Scale)->value(), 45);
    EXPECT_EQ(dialog.trackbar(SetupTrackbar::NightDarkness)->value(), 50);
    EXPECT_FALSE(dialog.checkBox(SetupCheckBox::ShowMoon)->isChecked());
    EXPECT_TRUE(dialog.checkBox(SetupCheckBox::ShowSun)->isChecked());
    dialog.trackbar(SetupTrackbar::Scale)->setValue(60);
    dialog.checkBox(SetupCheckBox::ShowSun)->setChecked(false);
    dialog.button(kOkCommand)->click();
  });
  EXPECT_FALSE(window->core().setupOpen());
  EXPECT_EQ(StoredValue("size/scale").toInt(), 60);
  EXPECT_EQ(StoredValue("options/sun").toInt(), 0);
  EXPECT_EQ(StoredValue("options/moon").toInt(), 0);
  // Applied at once: twice the base size, and a new frame of that size.
  EXPECT_EQ(window->size(), QSize(800, 400));
  EXPECT_FALSE(window->core().settings().showSun);
  ASSERT_TRUE(window->core().composer().frameCache().has_value());
  EXPECT_EQ(window->core().composer().frameCache()->width(), 800);
}

TEST_F(QtWorldWindowTest, SetDefaultRestoresTheDefaultsAndResizes) {
  Store("size/scale", 60);
  Store("options/start", 1);
  const auto window = StartedWindow(0, 0);
  EXPECT_EQ(window->size(), QSize(800, 400));
  WithSetupDialog(*window, [](QtSetupDialog& dialog) {
    dialog.trackbar(SetupTrackbar::Scale)->setValue(90);  // discarded
    dialog.button(kSetDefaultCommand)->click();
  });
  EXPECT_EQ(StoredValue("size/scale").toInt(), 30);
  EXPECT_EQ(StoredValue("options/image").toString(), "Default");
  EXPECT_EQ(window->size(), QSize(400, 200));
  EXPECT_FALSE(window->ended());
}

TEST_F(QtWorldWindowTest, CancelWritesOnlyThePlacementSavedOnOpening) {
  const auto window = StartedWindow(30, 40);
  WithSetupDialog(*window, [](QtSetupDialog& dialog) {
    dialog.trackbar(SetupTrackbar::Scale)->setValue(90);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(StoredValue("size/scale").isValid());
  EXPECT_EQ(StoredValue("position/x").toInt(), 30);
  EXPECT_EQ(window->size(), QSize(400, 200));
  EXPECT_FALSE(window->ended());
}

TEST_F(QtWorldWindowTest, ExitInTheSetupDialogEndsTheWindow) {
  const auto window = StartedWindow(30, 40);
  WithSetupDialog(*window, [](QtSetupDialog& dialog) { dialog.button(kExitCommand)->click(); });
  EXPECT_TRUE(window->ended());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(StoredValue("position/y").toInt(), 40);
}

TEST_F(QtWorldWindowTest, AlwaysOnTopSetsAndClearsTheStayOnTopFlagWithoutHiding) {
  Store("position/ontop", 1);
  const auto window = StartedWindow(0, 0);
  ASSERT_NE(window->windowHandle(), nullptr);
  EXPECT_TRUE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  WithSetupDialog(*window, [](QtSetupDialog& dialog) {
    dialog.checkBox(SetupCheckBox::AlwaysOnTop)->setChecked(false);
    dialog.button(kOkCommand)->click();
  });
  EXPECT_FALSE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(QtWorldWindowTest, WithoutANotificationAreaTheTrayIconWaitsForOne) {
  const auto window = StartedWindow(0, 0);
  EXPECT_TRUE(window->core().trayIconAdded());
  EXPECT_TRUE(window->trayIcon().shown());
}

TEST_F(QtWorldWindowTest, TheOneMonitorIsThePrimaryScreensAvailableArea) {
  QtWorldWindow window(Services());
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const std::vector<WindowRect> monitors = window.MonitorRects();
  ASSERT_EQ(monitors.size(), 1u);
  const WindowRect& desktop = monitors.front();
  EXPECT_EQ(desktop.left, area.left());
  EXPECT_EQ(desktop.right, area.left() + area.width());
  EXPECT_EQ(desktop.bottom, area.top() + area.height());
}

}  // namespace
}  // namespace lumivane::testing
