#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "settings/ports.h"

namespace lumivane {

// A modal message box with an OK button only and no icon, captioned with the
// application name and owned by a window of the program.
class QtMessageBox final : public MessageSink {
 public:
  QtMessageBox(QWidget* owner, QString caption);

  void ShowMessage(const std::string& text) override;

  // Once the display has gone, messages go to standard error instead.
  static void DisplayLost();

 private:
  QPointer<QWidget> owner_;
  QString caption_;
};

}  // namespace lumivane
