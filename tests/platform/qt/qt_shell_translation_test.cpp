// The small translations between Qt and the core: key state, the platform
// choice, tray hovers and dialog units.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFont>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/qt/display_platform.h"
#include "platform/qt/mouse_key_state.h"
#include "platform/qt/qt_tray_icon.h"

namespace lumivane {
namespace {

TEST(MouseKeyState, ButtonsAndModifiersBecomeTheCoresKeys) {
  EXPECT_EQ(MouseKeyState(Qt::NoButton, Qt::NoModifier), MouseKeys{});
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::NoModifier), MouseKeys{.leftButton = true});
  EXPECT_EQ(MouseKeyState(Qt::RightButton, Qt::NoModifier), MouseKeys{.rightButton = true});
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::ShiftModifier),
            (MouseKeys{.leftButton = true, .shift = true}));
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::ControlModifier),
            (MouseKeys{.leftButton = true, .control = true}));
  EXPECT_EQ(MouseKeyState(Qt::MiddleButton | Qt::LeftButton, Qt::NoModifier),
            (MouseKeys{.leftButton = true, .middleButton = true}));
  // Keys the core does not know about leave a left drag a left drag.
  EXPECT_EQ(MouseKeyState(Qt::LeftButton, Qt::AltModifier | Qt::MetaModifier),
            MouseKeys{.leftButton = true});
}

TEST(PlatformToForce, XcbOnlyWithAnXDisplayAndNoPlatformChosen) {
  EXPECT_EQ(PlatformToForce("", ":0"), "xcb");
  EXPECT_EQ(PlatformToForce("wayland", ":0"), "xcb");
  EXPECT_EQ(PlatformToForce("wayland;xcb", ":0"), "xcb");
  EXPECT_EQ(PlatformToForce("minimal", ":0"), "");
  EXPECT_EQ(PlatformToForce("offscreen", ""), "");
  EXPECT_EQ(PlatformToForce("", ""), "");
}

TEST(DisplayProblem, OneLineWhenNoXDisplayCanBeUsedAndNothingWhenTheUserChoseAPlatform) {
  const QString needs = "Lumivane needs an X11 display (an X server or XWayland)";
  const struct {
    const char* chosenPlatform;
    const char* display;
    bool opens;
    QString problem;
  } cases[] = {
      {"", ":0", true, ""},
      {"", "", false, needs + ": DISPLAY is not set"},
      {"", ":7", false, needs + ": cannot open display :7"},
      {"wayland", "", false, needs + ": DISPLAY is not set"},
      {"minimal", "", false, ""},
      {"offscreen", ":7", false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayProblem(c.chosenPlatform, c.display, c.opens), c.problem)
        << c.chosenPlatform << " / " << c.display;
  }
}

TEST(X11DisplayOpens, NotWithoutADisplayOrWithOneThatIsNotThere) {
  EXPECT_FALSE(X11DisplayOpens(""));
  EXPECT_FALSE(X11DisplayOpens(":65000"));
  // A screen the server does not have, where a virtual display runs.
  const QByteArray display = qgetenv("DISPLAY");
  if (!display.isEmpty() && X11DisplayOpens(display)) {
    EXPECT_FALSE(X11DisplayOpens(display.split('.').front() + ".5"));
  }
}

TEST(QtTrayIcon, ThePointerEnteringOrMovingOverTheEmbeddedIconIsAHover) {
  std::vector<TrayEvent> events;
  QtTrayIcon tray([&](TrayEvent event) { events.push_back(event); });
  QWidget embedded;  // as Qt names the icon's window in an XEmbed tray
  embedded.setObjectName("QSystemTrayIconSys");
  QWidget other;
  const auto enter = [](QWidget& widget) {
    QEnterEvent event(QPointF(3, 3), QPointF(3, 3), QPointF(103, 3));
    QCoreApplication::sendEvent(&widget, &event);
  };
  const auto move = [](QWidget& widget) {
    QMouseEvent event(QEvent::MouseMove, QPointF(4, 3), QPointF(104, 3), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
  };

  enter(embedded);  // no icon yet
  tray.Add(QIcon(), "Lumivane");
  enter(embedded);
  move(embedded);
  enter(other);
  move(other);
  tray.Remove();
  move(embedded);
  EXPECT_EQ(events, (std::vector<TrayEvent>{TrayEvent::PointerMoved, TrayEvent::PointerMoved}));
}

TEST(DialogUnits, FourUnitsAcrossAreOneAverageLetterAndEightDownOneLine) {
  const DialogUnits units{QFont()};
  ASSERT_GT(units.baseWidth(), 0);
  ASSERT_GT(units.baseHeight(), 0);
  EXPECT_EQ(units.ToPixels(4, 8, 40, 16), QRect(units.baseWidth(), units.baseHeight(),
                                                10 * units.baseWidth(), 2 * units.baseHeight()));
  // Rounded to the nearest pixel, not cut.
  EXPECT_EQ(units.XToPixels(2), (2 * units.baseWidth() + 2) / 4);
}

}  // namespace
}  // namespace lumivane
