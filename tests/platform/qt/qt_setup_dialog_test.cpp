#include "platform/qt/qt_setup_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <vector>

#include "platform/qt/qt_places_dialog.h"
#include "platform/qt/qt_sky_dialog.h"
#include "qt_world_window_fixture.h"
#include "setup/setup_texts.h"

namespace lumivane::testing {
namespace {

class QtSetupDialogTest : public QtShellTest {
 protected:
  std::unique_ptr<QtSetupDialog> Dialog() {
    return std::make_unique<QtSetupDialog>(*store_, startup_, QStringLiteral("Lumivane"));
  }

  // Runs the dialog; `inDialog` acts on it once it is open.
  static int Run(QtSetupDialog& dialog, const std::function<void()>& inDialog) {
    QTimer::singleShot(0, &dialog, inDialog);
    return dialog.exec();
  }

  // Acts on the open-file dialog as soon as it is open.
  static void OnFileDialog(const std::function<void(QFileDialog&)>& act) {
    QTimer::singleShot(0, [act] {
      auto* fileDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(fileDialog, nullptr);
      act(*fileDialog);
    });
  }
};

TEST_F(QtSetupDialogTest, ShowsTheStoredValuesClampedToTheTrackbarRange) {
  Store("size/scale", 0);
  Store("colors/nightfilter", 150);
  Store("position/ontop", 1);
  Store("options/tray", 0);
  Store("options/suncentered", 7);
  const auto dialog = Dialog();
  EXPECT_EQ(dialog->windowTitle(), "Lumivane");
  EXPECT_EQ(dialog->trackbar(SetupTrackbar::Scale)->value(), 1);
  EXPECT_EQ(dialog->trackbar(SetupTrackbar::NightDarkness)->value(), 100);
  EXPECT_TRUE(dialog->checkBox(SetupCheckBox::AlwaysOnTop)->isChecked());
  EXPECT_FALSE(dialog->checkBox(SetupCheckBox::ShowTrayIcon)->isChecked());
  EXPECT_TRUE(dialog->checkBox(SetupCheckBox::SunCentered)->isChecked());
  EXPECT_TRUE(dialog->checkBox(SetupCheckBox::ShowSun)->isChecked());
  EXPECT_FALSE(dialog->checkBox(SetupCheckBox::RunAtStartup)->isChecked());
}

TEST_F(QtSetupDialogTest, TrackbarsAreVerticalOneToHundredWithTicksOnBothSidesAndOneAtTheTop) {
  const auto dialog = Dialog();
  for (SetupTrackbar id : {SetupTrackbar::Scale, SetupTrackbar::NightDarkness}) {
    QSlider* slider = dialog->trackbar(id);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(slider->tickInterval(), 10);
    EXPECT_EQ(slider->tickPosition(), QSlider::TicksBothSides);
    EXPECT_TRUE(slider->invertedAppearance());  // 1 at the top
    slider->setValue(50);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_EQ(slider->value(), 51);
  }
  // Screen readers name each after its label.
  EXPECT_EQ(dialog->trackbar(SetupTrackbar::Scale)->accessibleName(), "World size");
  EXPECT_EQ(dialog->trackbar(SetupTrackbar::NightDarkness)->accessibleName(), "Night darkness");
}

TEST_F(QtSetupDialogTest, ControlsFollowTheTabOrderWithTheirCaptions) {
  const auto dialog = Dialog();
  std::vector<QString> order;
  QWidget* widget = dialog->button(kOkCommand);
  do {
    if (widget->focusPolicy() & Qt::TabFocus) {
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        order.push_back(button->text());
      } else if (qobject_cast<QSlider*>(widget) != nullptr) {
        order.push_back(widget == dialog->trackbar(SetupTrackbar::NightDarkness) ? "night"
                                                                                 : "size");
      }
    }
    widget = widget->nextInFocusChain();
  } while (widget != dialog->button(kOkCommand));
  const std::vector<QString> expected{
      "&OK",           "&Cancel",         "E&xit",           "night",     "size",
      "Set &Default",  "&Always on top",  "&Show tray icon", "Show S&un", "Show &Moon",
      "&Earth map...", "&Run at startup", "Su&n Centered",   "S&ky..."};
  EXPECT_EQ(order, expected);
  EXPECT_TRUE(dialog->button(kOkCommand)->isDefault());
}

TEST_F(QtSetupDialogTest, LabelsKeepTheirWholeTextAndTheLinuxNotesAreShown) {
  const auto dialog = Dialog();
  bool usageShown = false;
  bool recoveryShown = false;
  bool formatsShown = false;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    if (label->text() == kUsageText) usageShown = true;
    if (label->text() == kRecoveryTextLinux) recoveryShown = true;
    if (label->text() == kEarthMapRequirementsTextLinux) formatsShown = true;
    if (label->text().isEmpty()) continue;
    if (label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width()))
          << label->text().toStdString();
    } else {
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
  }
  EXPECT_TRUE(usageShown);
  EXPECT_TRUE(recoveryShown);
  EXPECT_TRUE(formatsShown);
}

TEST_F(QtSetupDialogTest, OkStoresEveryControlAndTheStartEntry) {
  const auto dialog = Dialog();
  const int result = Run(*dialog, [&] {
    dialog->trackbar(SetupTrackbar::NightDarkness)->setValue(77);
    dialog->checkBox(SetupCheckBox::RunAtStartup)->setChecked(true);
    dialog->checkBox(SetupCheckBox::ShowMoon)->setChecked(false);
    QTest::keyClick(dialog.get(), Qt::Key_Return);  // the default button
  });
  EXPECT_EQ(result, kIdOk);
  EXPECT_EQ(StoredValue("colors/nightfilter").toInt(), 77);
  EXPECT_EQ(StoredValue("size/scale").toInt(), 30);
  EXPECT_EQ(StoredValue("options/moon").toInt(), 0);
  EXPECT_EQ(StoredValue("options/start").toInt(), 1);
  EXPECT_TRUE(QFileInfo::exists(ConfigHome() + "/autostart/Lumivane.desktop"));
}

TEST_F(QtSetupDialogTest, EscCancelsAndWritesNothing) {
  const auto dialog = Dialog();
  const int result = Run(*dialog, [&] {
    dialog->trackbar(SetupTrackbar::Scale)->setValue(70);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
  });
  EXPECT_EQ(result, kIdCancel);
  EXPECT_FALSE(QFileInfo::exists(IniPath()));
}

TEST_F(QtSetupDialogTest, EarthMapOffersBitmapsFirstAndStoresTheChosenFile) {
  const QString mapPath = ConfigHome() + "/world.bmp";
  QImage(8, 4, QImage::Format_RGB32).save(mapPath);
  const auto dialog = Dialog();
  const int result = Run(*dialog, [&] {
    OnFileDialog([&](QFileDialog& files) {
      EXPECT_EQ(files.nameFilters(), (QStringList{"Windows bitmap (*.bmp)", "All files (*)"}));
      EXPECT_EQ(files.selectedNameFilter(), "Windows bitmap (*.bmp)");
      EXPECT_EQ(files.defaultSuffix(), "bmp");
      files.selectFile(mapPath);
      QMetaObject::invokeMethod(&files, "accept");
    });
    dialog->button(kEarthMapCommand)->click();
  });
  EXPECT_EQ(result, kIdReload);
  EXPECT_EQ(StoredValue("options/image").toString(), mapPath);
}

TEST_F(QtSetupDialogTest, CancellingTheFileDialogKeepsTheSetupOpenAsItWas) {
  const auto dialog = Dialog();
  const int result = Run(*dialog, [&] {
    dialog->trackbar(SetupTrackbar::Scale)->setValue(64);
    OnFileDialog([](QFileDialog& files) { files.reject(); });
    dialog->button(kEarthMapCommand)->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->trackbar(SetupTrackbar::Scale)->value(), 64);
    dialog->button(kCancelCommand)->click();
  });
  EXPECT_EQ(result, kIdCancel);
  EXPECT_FALSE(StoredValue("options/image").isValid());
}

TEST_F(QtSetupDialogTest, TheFileDialogStartsInTheStoredMapsFolder) {
  const QString mapPath = ConfigHome() + "/maps/relief.bmp";
  ASSERT_TRUE(QDir().mkpath(ConfigHome() + "/maps"));
  Store("options/image", mapPath);
  const auto dialog = Dialog();
  Run(*dialog, [&] {
    OnFileDialog([&](QFileDialog& files) {
      EXPECT_EQ(files.directory().absolutePath().toStdString(),
                (ConfigHome() + "/maps").toStdString());
      files.reject();
    });
    dialog->button(kEarthMapCommand)->click();
    dialog->button(kExitCommand)->click();
  });
  EXPECT_EQ(dialog->result(), kIdExit);
}

TEST_F(QtSetupDialogTest, AMinimisedDialogComesBackAndBlocksOnlyItsOwner) {
  QWidget owner;
  owner.show();
  QtSetupDialog dialog(*store_, startup_, QStringLiteral("Lumivane"), &owner);
  EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
  Run(dialog, [&] {
    owner.showMinimized();  // as window managers take the owner along
    dialog.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isMinimized(); }, 2000));
    EXPECT_FALSE(owner.isMinimized());
    dialog.button(kCancelCommand)->click();
  });
}

TEST_F(QtSetupDialogTest, TheSkyButtonOpensTheSkyDialogWhoseClicksReachTheChoice) {
  const auto dialog = Dialog();
  std::optional<SkyChoice> taken;
  // The Sky dialog runs modally inside the click: it is driven from there.
  QTimer::singleShot(0, [&] {
    auto* sky = qobject_cast<QtSkyDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(sky->windowTitle(), "Sky");
    EXPECT_TRUE(sky->button(ControlId(SkyControl::NoLights))->isChecked());
    sky->button(ControlId(SkyControl::Twilight))->click();
    sky->button(ControlId(SkyControl::BuiltinLights))->click();
    sky->button(kOkCommand)->click();
  });
  taken = dialog->RunSkyDialog(SkyChoice{false, false, "None"});
  ASSERT_TRUE(taken);
  EXPECT_EQ(*taken, (SkyChoice{true, false, "Default"}));
}

TEST_F(QtSetupDialogTest, ThePlacesButtonOpensThePlacesDialogWhereTypingFindsAPlaceToAdd) {
  QtSkyDialog sky(SkyChoice{.places = {"bad", true}}, nullptr);
  QTimer::singleShot(0, [&] {
    // The Places dialog runs modally inside this click.
    QTimer::singleShot(0, [&] {
      auto* places = qobject_cast<QtPlacesDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(places, nullptr);
      EXPECT_EQ(places->windowTitle(), "Places");
      QTest::keyClicks(places->search(), "reykjav");
      EXPECT_GE(places->list(PlacesControl::Matches)->count(), 1);
      places->button(ControlId(PlacesControl::Add))->click();
      places->button(ControlId(PlacesControl::ShowNames))->click();
      places->button(kOkCommand)->click();
    });
    sky.button(ControlId(SkyControl::Places))->click();
    sky.button(kOkCommand)->click();
  });
  const auto taken = sky.Run();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->places, (PlacesChoice{"bad;64.13548,-21.89541,Reykjav\u00edk", false}));
}

}  // namespace
}  // namespace lumivane::testing
