#include "platform/qt/qt_message_box.h"

#include <QMessageBox>
#include <atomic>
#include <cstdio>
#include <utility>

#include "platform/qt/dialog_transient_parent.h"

namespace lumivane {
namespace {

std::atomic<bool> displayLost{false};

}  // namespace

void QtMessageBox::DisplayLost() { displayLost = true; }

QtMessageBox::QtMessageBox(QWidget* owner, QString caption)
    : owner_(owner), caption_(std::move(caption)) {}

void QtMessageBox::ShowMessage(const std::string& text) {
  if (displayLost) {
    QString line = QString::fromStdString(text);
    line.replace('\n', ' ');
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption_), qPrintable(line));
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, caption_, QString::fromStdString(text), QMessageBox::Ok,
                  owner_.data());
  const DialogTransientParent transientParent(box);
  box.exec();
}

}  // namespace lumivane
