#include "platform/qt/qt_places_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "setup/setup_controls.h"

namespace lumivane {
namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

}  // namespace

QtPlacesDialog::QtPlacesDialog(const PlacesChoice& choice, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      units_(font()),
      setup_(*this, BuiltinPlaces(), choice) {
  setWindowTitle(Text(kPlacesCaption));
  QLabel* label = nullptr;  // waiting for the control it names
  for (const SetupControl& control : kPlacesControls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case SetupControlKind::Label: widget = label = new QLabel(Text(control.text), this); break;
      case SetupControlKind::ListBox:
        widget = lists_[static_cast<PlacesControl>(control.id)] = new QListWidget(this);
        break;
      case SetupControlKind::EditField: widget = search_ = new QLineEdit(this); break;
      case SetupControlKind::CheckBox:
        widget = buttons_[control.id] = new QCheckBox(Text(control.text), this);
        break;
      default: {
        auto* button = new QPushButton(Text(control.text), this);
        button->setDefault(control.kind == SetupControlKind::DefaultButton);
        widget = buttons_[control.id] = button;
        break;
      }
    }
    widget->setGeometry(units_.ToPixels(control.x, control.y, control.width, control.height));
    if (label != nullptr && widget != label) {
      // The label's mnemonic and name go to the control after it.
      label->setBuddy(widget);
      widget->setAccessibleName(label->text().remove('&').remove(':'));
      label = nullptr;
    }
  }
  for (const auto& [id, button] : buttons_) {
    if (id == ControlId(PlacesControl::ShowNames)) continue;  // read at OK
    connect(button, &QAbstractButton::clicked, this, [this, id = id] { setup_.OnCommand(id); });
  }
  lists_.at(PlacesControl::Matches)->setAccessibleName(QStringLiteral("Matching places"));
  connect(search_, &QLineEdit::textEdited, this, [this] { setup_.OnSearchChanged(); });
  connect(lists_.at(PlacesControl::Matches), &QListWidget::itemDoubleClicked, this,
          [this] { setup_.OnCommand(ControlId(PlacesControl::Add)); });
  setFixedSize(units_.XToPixels(kPlacesDialogWidth), units_.YToPixels(kPlacesDialogHeight));
  setup_.OnInitDialog();
}

std::optional<PlacesChoice> QtPlacesDialog::Run() {
  if (exec() != kIdOk) return std::nullopt;
  return setup_.choice();
}

void QtPlacesDialog::SetListItems(PlacesControl list, const std::vector<std::string>& items) {
  QListWidget* widget = lists_.at(list);
  widget->clear();
  for (const std::string& item : items) widget->addItem(QString::fromStdString(item));
}

std::optional<std::size_t> QtPlacesDialog::SelectedListItem(PlacesControl list) {
  const int row = lists_.at(list)->currentRow();
  if (row < 0 || !lists_.at(list)->currentItem()->isSelected()) return std::nullopt;
  return static_cast<std::size_t>(row);
}

std::string QtPlacesDialog::GetText(PlacesControl) { return search_->text().toStdString(); }

void QtPlacesDialog::SetChecked(PlacesControl control, bool checked) {
  buttons_.at(ControlId(control))->setChecked(checked);
}

bool QtPlacesDialog::IsChecked(PlacesControl control) {
  return buttons_.at(ControlId(control))->isChecked();
}

void QtPlacesDialog::EndDialog(int result) { done(result); }

void QtPlacesDialog::reject() { setup_.OnCommand(kCancelCommand); }

}  // namespace lumivane
