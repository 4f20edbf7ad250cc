#include "platform/qt/qt_message_box.h"

#include <QMessageBox>
#include <utility>

namespace lumivane {

QtMessageBox::QtMessageBox(QWidget* owner, QString caption)
    : owner_(owner), caption_(std::move(caption)) {}

void QtMessageBox::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, caption_, QString::fromStdString(text), QMessageBox::Ok,
                  owner_.data());
  box.exec();
}

}  // namespace lumivane
