#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <map>
#include <utility>

#include "platform/qt/dialog_units.h"
#include "platform/qt/qt_message_box.h"
#include "settings/ports.h"
#include "setup/lumivane_setup.h"
#include "setup/setup_view.h"

namespace lumivane {

// The setup dialog: its controls, in their tab order and places, and nothing
// else. Every button goes to LumivaneSetup, which reads the controls back and
// ends the dialog through EndDialog; exec() then returns that result.
class QtSetupDialog final : public QDialog, public SetupView {
  Q_OBJECT

 public:
  // applicationName: the caption of the messages the dialog shows.
  QtSetupDialog(ProfileStore& store, StartupRegistration& startup, const QString& applicationName,
                QWidget* parent = nullptr);

  void ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency, std::int32_t minimum,
                         std::int32_t maximum) override;
  void SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) override;
  std::int32_t TrackbarPosition(SetupTrackbar trackbar) override;
  void SetChecked(SetupCheckBox box, bool checked) override;
  bool IsChecked(SetupCheckBox box) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  std::optional<SkyChoice> RunSkyDialog(const SkyChoice& choice) override;
  void EndDialog(int result) override;

  // The controls, for keyboard users' tools and tests.
  QSlider* trackbar(SetupTrackbar trackbar) const { return trackbars_.at(trackbar); }
  QCheckBox* checkBox(SetupCheckBox box) const { return checkBoxes_.at(box); }
  QPushButton* button(int commandId) const { return buttons_.at(commandId); }

  // Esc, and a close request from the window manager: the Cancel command.
  void reject() override;

  // Shows the dialog again, above the other windows, should it have been
  // minimised or covered.
  void BringBack();

 protected:
  // Some window managers minimise dialogs whatever their hints say; this one
  // comes straight back, and with it the world window it belongs to.
  void changeEvent(QEvent* event) override;

 private:
  void createControls();
  void connectButtons();

  // A new child control at its place in dialog units.
  template <typename Control, typename... Arguments>
  Control* added(QRect placeInUnits, Arguments&&... arguments) {
    auto* control = new Control(std::forward<Arguments>(arguments)..., this);
    control->setGeometry(units_.ToPixels(placeInUnits.x(), placeInUnits.y(), placeInUnits.width(),
                                         placeInUnits.height()));
    return control;
  }
  QSlider* addTrackbar(QRect placeInUnits);
  // A short label on one line (or lines of its own), and a text that wraps.
  void addLabel(const char* text, Qt::Alignment alignment, QRect placeInUnits);
  QLabel* addText(const char* text, Qt::Alignment alignment, QRect placeInUnits);
  // The program icon at its own size, as a static icon control shows it.
  void addIcon(QPoint placeInUnits);

  DialogUnits units_;
  QtMessageBox messages_;
  LumivaneSetup setup_;
  std::map<int, QPushButton*> buttons_;
  std::map<SetupTrackbar, QSlider*> trackbars_;
  std::map<SetupCheckBox, QCheckBox*> checkBoxes_;
};

}  // namespace lumivane
