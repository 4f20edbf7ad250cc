#include "platform/qt/qt_sky_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include "platform/qt/qt_places_dialog.h"
#include "setup/setup_controls.h"
#include "setup/setup_texts.h"

namespace lumivane {
namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

// A control's accessible name: its text without the mnemonic's '&'.
QString AccessibleName(const char* text) { return Text(text).remove('&'); }

}  // namespace

QtSkyDialog::QtSkyDialog(const SkyChoice& choice, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      units_(font()),
      setup_(*this, choice) {
  setWindowTitle(Text(kSkyCaption));
  // The radio buttons only show the choice; SkySetup makes it.
  auto* lights = new QButtonGroup(this);
  for (const SetupControl& control : kSkyControls) {
    const QRect place = units_.ToPixels(control.x, control.y, control.width, control.height);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case SetupControlKind::CheckBox:
        widget = buttons_[control.id] = new QCheckBox(Text(control.text), this);
        break;
      case SetupControlKind::RadioButton:
        widget = buttons_[control.id] = new QRadioButton(Text(control.text), this);
        lights->addButton(buttons_[control.id]);
        break;
      case SetupControlKind::DefaultButton:
      case SetupControlKind::Button: {
        auto* button = new QPushButton(Text(control.text), this);
        button->setDefault(control.kind == SetupControlKind::DefaultButton);
        widget = buttons_[control.id] = button;
        break;
      }
      case SetupControlKind::GroupBox:
        widget = new QGroupBox(Text(control.text), this);
        widget->lower();
        break;
      default:
        widget = fileName_ = new QLabel(this);
        fileName_->setTextFormat(Qt::PlainText);
        fileName_->setAccessibleName(QStringLiteral("City lights picture"));
        break;
    }
    widget->setGeometry(place);
    if (control.text != nullptr && *control.text != '\0') {
      widget->setAccessibleName(AccessibleName(control.text));
    }
  }
  for (const auto& [id, button] : buttons_) {
    connect(button, &QAbstractButton::clicked, this, [this, id = id] { setup_.OnCommand(id); });
  }
  setFixedSize(units_.XToPixels(kSkyDialogWidth), units_.YToPixels(kSkyDialogHeight));
  setup_.OnInitDialog();
}

std::optional<SkyChoice> QtSkyDialog::Run() {
  if (exec() != kIdOk) return std::nullopt;
  return setup_.choice();
}

void QtSkyDialog::SetChecked(SkyControl control, bool checked) {
  buttons_.at(ControlId(control))->setChecked(checked);
}

bool QtSkyDialog::IsChecked(SkyControl control) {
  return buttons_.at(ControlId(control))->isChecked();
}

void QtSkyDialog::SetText(SkyControl, const std::string& text) {
  fileName_->setText(QFileInfo(QString::fromStdString(text)).fileName());
  fileName_->setToolTip(QString::fromStdString(text));
}

std::optional<std::string> QtSkyDialog::PromptOpenFile(const std::string& initialName) {
  return PromptOpenPicture(this, initialName);
}

void QtSkyDialog::EndDialog(int result) { done(result); }

std::optional<PlacesChoice> QtSkyDialog::RunPlacesDialog(const PlacesChoice& choice) {
  QtPlacesDialog dialog(choice, this);
  return dialog.Run();
}

void QtSkyDialog::reject() { setup_.OnCommand(kCancelCommand); }

std::optional<std::string> PromptOpenPicture(QWidget* parent, const std::string& initialName) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const char* filter : kEarthMapNameFilters) filters << Text(filter);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.first());
  dialog.setDefaultSuffix(Text(kEarthMapDefaultExtension));
  // A stored path opens the dialog in its folder; "Default" just fills in
  // the name field.
  const QFileInfo initial(QString::fromStdString(initialName));
  if (initial.isAbsolute()) dialog.setDirectory(initial.absolutePath());
  dialog.selectFile(initial.fileName());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first().toStdString();
}

}  // namespace lumivane
