#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <map>
#include <optional>

#include "platform/qt/dialog_units.h"
#include "setup/places_setup.h"

namespace lumivane {

// The Places dialog: its controls from the shared description, in their tab
// order and places. Typing, clicks and double-clicks go to PlacesSetup,
// which reads the controls back and ends the dialog.
class QtPlacesDialog final : public QDialog, public PlacesView {
  Q_OBJECT

 public:
  QtPlacesDialog(const PlacesChoice& choice, QWidget* parent);

  // What OK took, or nothing when the dialog was cancelled.
  std::optional<PlacesChoice> Run();

  void SetListItems(PlacesControl list, const std::vector<std::string>& items) override;
  std::optional<std::size_t> SelectedListItem(PlacesControl list) override;
  std::string GetText(PlacesControl control) override;
  void SetChecked(PlacesControl control, bool checked) override;
  bool IsChecked(PlacesControl control) override;
  void EndDialog(int result) override;

  QAbstractButton* button(int id) const { return buttons_.at(id); }
  QListWidget* list(PlacesControl id) const { return lists_.at(id); }
  QLineEdit* search() const { return search_; }

  void reject() override;

 private:
  DialogUnits units_;
  PlacesSetup setup_;
  std::map<int, QAbstractButton*> buttons_;
  std::map<PlacesControl, QListWidget*> lists_;
  QLineEdit* search_ = nullptr;
};

}  // namespace lumivane
