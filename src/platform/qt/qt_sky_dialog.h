#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <map>
#include <optional>
#include <string>

#include "platform/qt/dialog_units.h"
#include "setup/sky_setup.h"

namespace lumivane {

// The Sky dialog: its controls from the shared description, in their tab
// order and places. Every click goes to SkySetup, which reads the controls
// back and ends the dialog.
class QtSkyDialog final : public QDialog, public SkyView {
  Q_OBJECT

 public:
  QtSkyDialog(const SkyChoice& choice, QWidget* parent);

  // What OK took, or nothing when the dialog was cancelled.
  std::optional<SkyChoice> Run();

  void SetChecked(SkyControl control, bool checked) override;
  bool IsChecked(SkyControl control) override;
  void SetText(SkyControl control, const std::string& text) override;
  std::optional<std::string> PromptOpenFile(const std::string& initialName) override;
  void EndDialog(int result) override;
  std::optional<PlacesChoice> RunPlacesDialog(const PlacesChoice& choice) override;

  QAbstractButton* button(int id) const { return buttons_.at(id); }
  QLabel* fileName() const { return fileName_; }

  void reject() override;

 private:
  DialogUnits units_;
  SkySetup setup_;
  std::map<int, QAbstractButton*> buttons_;
  QLabel* fileName_ = nullptr;
};

// The open-file dialog of the Earth map and of the city lights, starting in
// the folder of a stored path.
std::optional<std::string> PromptOpenPicture(QWidget* parent, const std::string& initialName);

}  // namespace lumivane
