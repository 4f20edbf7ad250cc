// One QApplication for the whole test program, on the xcb platform and an
// Xvfb of its own, with private temporary XDG folders.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <string>

extern char** environ;

namespace lumivane::testing {
namespace {

class XvfbApplicationEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    runtime_ = std::make_unique<QTemporaryDir>();  // created with mode 0700
    ASSERT_TRUE(runtime_->isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_->path().toUtf8());
    ASSERT_NO_FATAL_FAILURE(StartXvfb());
    qputenv("QT_QPA_PLATFORM", "xcb");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }

  void TearDown() override {
    application_.reset();
    if (xvfb_ > 0) {
      kill(xvfb_, SIGTERM);
      waitpid(xvfb_, nullptr, 0);
    }
  }

 private:
  // On a free display number, which Xvfb picks and writes to the pipe.
  void StartXvfb() {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const std::string displayFd = std::to_string(pipeEnds[1]);
    const char* argv[] = {LUMIVANE_XVFB, "-displayfd", displayFd.c_str(), "-screen", "0",
                          "1280x800x24", "-nolisten", "tcp", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const int spawned = posix_spawn(&xvfb_, LUMIVANE_XVFB, &actions, nullptr,
                                    const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    ASSERT_EQ(spawned, 0) << "cannot start " << LUMIVANE_XVFB;
    std::string display;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') display += c;
    close(pipeEnds[0]);
    ASSERT_FALSE(display.empty()) << "Xvfb gave no display";
    qputenv("DISPLAY", (":" + display).c_str());
  }

  pid_t xvfb_ = 0;
  int argc_ = 1;
  char name_[13] = "qt_x11_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QTemporaryDir> runtime_;
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new XvfbApplicationEnvironment);

}  // namespace
}  // namespace lumivane::testing
