#include "platform/qt/qt_setup_dialog.h"

#include <QEvent>
#include <QGroupBox>
#include <QStringList>
#include <QTimer>

#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_sky_dialog.h"
#include "setup/setup_controls.h"

namespace lumivane {
namespace {

// The icon is shown at its own size, as a static icon control does.
constexpr int kIconPixels = 32;

QString Text(const char* text) { return QString::fromUtf8(text); }

// The notes that differ on Linux: the settings live in an INI file, not the
// registry, and map pictures may be PNG or JPEG as well.
const char* LinuxText(const char* text) {
  if (text == kRecoveryText) return kRecoveryTextLinux;
  if (text == kEarthMapRequirementsText) return kEarthMapRequirementsTextLinux;
  return text;
}

}  // namespace

QtSetupDialog::QtSetupDialog(ProfileStore& store, StartupRegistration& startup,
                             const QString& applicationName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      units_(font()),
      messages_(this, applicationName),
      setup_(store, *this, startup, messages_) {
  setWindowTitle(Text(kSetupCaption));
  // Blocks only the world window: the tray icon stays live and can bring the
  // dialog back.
  setWindowModality(Qt::WindowModal);
  createControls();
  connectButtons();
  setFixedSize(units_.XToPixels(kSetupDialogWidth), units_.YToPixels(kSetupDialogHeight));
  setup_.OnInitDialog();
}

// In template order, which is also the tab order.
void QtSetupDialog::createControls() {
  for (const SetupControl& control : kSetupControls) {
    const QRect place{control.x, control.y, control.width, control.height};
    switch (control.kind) {
      case SetupControlKind::DefaultButton:
      case SetupControlKind::Button:
        // Buttons stay auto-default: Enter presses the focused button, and OK
        // when the focus is on any other control.
        buttons_[control.id] = added<QPushButton>(place, Text(control.text));
        buttons_[control.id]->setDefault(control.kind == SetupControlKind::DefaultButton);
        break;
      case SetupControlKind::Trackbar:
        trackbars_[static_cast<SetupTrackbar>(control.id)] = addTrackbar(place);
        break;
      case SetupControlKind::Label:
      case SetupControlKind::CentredLabel:
        addLabel(control.text,
                 (control.kind == SetupControlKind::Label ? Qt::AlignLeft : Qt::AlignHCenter) |
                     Qt::AlignTop,
                 place);
        break;
      case SetupControlKind::Text:
        addText(LinuxText(control.text), Qt::AlignLeft | Qt::AlignTop, place)->setWordWrap(true);
        break;
      case SetupControlKind::GroupBox:
        // Behind the controls it frames, so it never takes their clicks.
        added<QGroupBox>(place, Text(control.text))->lower();
        break;
      case SetupControlKind::CheckBox:
        checkBoxes_[static_cast<SetupCheckBox>(control.id)] =
            added<QCheckBox>(place, Text(control.text));
        break;
      case SetupControlKind::Icon: addIcon(place.topLeft()); break;
      case SetupControlKind::RadioButton:  // only the Sky and Places dialogs have them
      case SetupControlKind::ListBox:
      case SetupControlKind::EditField: break;
    }
  }
  for (const auto& [trackbar, name] : kSetupTrackbarNames) {
    trackbars_.at(trackbar)->setAccessibleName(Text(name));
  }
}

void QtSetupDialog::connectButtons() {
  for (const auto& [commandId, button] : buttons_) {
    connect(button, &QPushButton::clicked, this, [this, id = commandId] { setup_.OnCommand(id); });
  }
}

QSlider* QtSetupDialog::addTrackbar(QRect placeInUnits) {
  auto* slider = added<QSlider>(placeInUnits, Qt::Vertical);
  // Position 1 at the top, as on a vertical trackbar; Down moves it down.
  slider->setInvertedAppearance(true);
  slider->setInvertedControls(true);
  slider->setTickPosition(QSlider::TicksBothSides);
  return slider;
}

void QtSetupDialog::addLabel(const char* text, Qt::Alignment alignment, QRect placeInUnits) {
  QLabel* label = addText(text, alignment, placeInUnits);
  // Fonts differ in their proportions: a short label that does not fit its
  // place grows (about its centre when centred) rather than lose letters.
  const int missing = label->sizeHint().width() - label->width();
  if (missing > 0) {
    const int left = alignment.testFlag(Qt::AlignHCenter) ? missing / 2 : 0;
    label->setGeometry(label->geometry().adjusted(-left, 0, missing - left, 0));
  }
}

QLabel* QtSetupDialog::addText(const char* text, Qt::Alignment alignment, QRect placeInUnits) {
  auto* label = added<QLabel>(placeInUnits, Text(text));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(alignment);
  return label;
}

void QtSetupDialog::addIcon(QPoint placeInUnits) {
  auto* icon = new QLabel(this);
  icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  icon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
  const QPoint topLeft = units_.ToPixels(placeInUnits.x(), placeInUnits.y(), 0, 0).topLeft();
  icon->setGeometry(topLeft.x(), topLeft.y(), kIconPixels + 2 * icon->frameWidth(),
                    kIconPixels + 2 * icon->frameWidth());
}

void QtSetupDialog::ConfigureTrackbar(SetupTrackbar trackbar, std::int32_t tickFrequency,
                                      std::int32_t minimum, std::int32_t maximum) {
  QSlider* slider = trackbars_.at(trackbar);
  slider->setTickInterval(tickFrequency);
  slider->setRange(minimum, maximum);
}

void QtSetupDialog::SetTrackbarPosition(SetupTrackbar trackbar, std::int32_t position) {
  trackbars_.at(trackbar)->setValue(position);
}

std::int32_t QtSetupDialog::TrackbarPosition(SetupTrackbar trackbar) {
  return trackbars_.at(trackbar)->value();
}

void QtSetupDialog::SetChecked(SetupCheckBox box, bool checked) {
  checkBoxes_.at(box)->setChecked(checked);
}

bool QtSetupDialog::IsChecked(SetupCheckBox box) { return checkBoxes_.at(box)->isChecked(); }

std::optional<std::string> QtSetupDialog::PromptOpenFile(const std::string& initialName) {
  return PromptOpenPicture(this, initialName);
}

std::optional<SkyChoice> QtSetupDialog::RunSkyDialog(const SkyChoice& choice) {
  QtSkyDialog sky(choice, this);
  return sky.Run();
}

void QtSetupDialog::EndDialog(int result) { done(result); }

void QtSetupDialog::reject() { setup_.OnCancel(); }

void QtSetupDialog::BringBack() {
  if (QWidget* owner = parentWidget(); owner != nullptr && owner->isMinimized()) {
    owner->showNormal();
  }
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void QtSetupDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // After the window manager has finished minimising, not inside it.
  if (event->type() == QEvent::WindowStateChange && isMinimized()) {
    QTimer::singleShot(0, this, &QtSetupDialog::BringBack);
  }
}

}  // namespace lumivane
