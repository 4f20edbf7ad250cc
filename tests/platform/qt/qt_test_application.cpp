// One QApplication for the whole test program, on the offscreen platform
// unless the program names another, with private temporary XDG folders so no
// test touches the user's own.
#include "qt_test_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#ifndef LUMIVANE_QT_TEST_PLATFORM
#define LUMIVANE_QT_TEST_PLATFORM "offscreen"
#endif

namespace lumivane::testing {
namespace {

// The offscreen platform cannot raise or lower windows and says so at every
// z-order change; everything else still reaches the output.
QtMessageHandler defaultHandler = nullptr;
void DropOffscreenZOrderNotes(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (defaultHandler != nullptr) defaultHandler(type, context, message);
}

QTemporaryDir* runtimeFolder = nullptr;

class QtApplicationEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", LUMIVANE_QT_TEST_PLATFORM);
    defaultHandler = qInstallMessageHandler(DropOffscreenZOrderNotes);
    configHome_ = std::make_unique<QTemporaryDir>();
    runtime_ = std::make_unique<QTemporaryDir>();  // created with mode 0700
    ASSERT_TRUE(configHome_->isValid() && runtime_->isValid());
    qputenv("XDG_CONFIG_HOME", configHome_->path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime_->path().toUtf8());
    runtimeFolder = runtime_.get();
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }

  void TearDown() override {
    application_.reset();
    runtimeFolder = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[18] = "qt_platform_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QTemporaryDir> configHome_;
  std::unique_ptr<QTemporaryDir> runtime_;
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

QString RuntimeFolder() { return runtimeFolder != nullptr ? runtimeFolder->path() : QString(); }

}  // namespace lumivane::testing
