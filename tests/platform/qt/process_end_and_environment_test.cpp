// The process-level translations of the Linux program: ending signals become
// one call on the event loop; closed standard streams and unusable folder
// variables are repaired before anything opens a file.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <gtest/gtest.h>

#include "platform/qt/process_environment.h"
#include "platform/qt/session_end_signals.h"

namespace lumivane {
namespace {

TEST(SessionEndSignalsTest, EachEndingSignalBecomesOneCallOnTheEventLoop) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
    int calls = 0;
    {
      const SessionEndSignals ending([&calls] { ++calls; });
      ::raise(signal);
      EXPECT_EQ(calls, 0) << "not from inside the handler";
      QElapsedTimer waited;
      waited.start();
      while (calls == 0 && waited.elapsed() < 2000) QCoreApplication::processEvents();
    }
    EXPECT_EQ(calls, 1) << strsignal(signal);
  }
}

// Runs `check` in a child with the environment and streams it sets up.
int InChild(const std::function<void()>& setUp, const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child == 0) {
    setUp();
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProcessEnvironmentTest, ClosedStreamsAndUnusableFolderVariablesAreRepaired) {
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::function<bool()> check;
  } cases[] = {
      {"standard error closed", [] { ::close(STDERR_FILENO); },
       [] {
         OpenClosedStandardStreams();
         // The next file opened does not become standard error.
         return ::fcntl(STDERR_FILENO, F_GETFD) != -1 && ::dup(STDIN_FILENO) > STDERR_FILENO;
       }},
      {"HOME unset", [] { ::unsetenv("HOME"); },
       [] {
         RepairFolderEnvironment();
         const char* home = std::getenv("HOME");
         return home != nullptr && home[0] == '/';
       }},
      {"relative XDG folders",
       [] {
         ::setenv("XDG_CONFIG_HOME", "config", 1);
         ::setenv("XDG_RUNTIME_DIR", "run", 1);
       },
       [] {
         RepairFolderEnvironment();
         return std::getenv("XDG_CONFIG_HOME") == nullptr &&
                std::getenv("XDG_RUNTIME_DIR") == nullptr;
       }},
      {"absolute XDG folders kept", [] { ::setenv("XDG_CONFIG_HOME", "/tmp/c", 1); },
       [] {
         RepairFolderEnvironment();
         return std::string(std::getenv("XDG_CONFIG_HOME")) == "/tmp/c";
       }},
  };
  for (const auto& [what, setUp, check] : cases) EXPECT_EQ(InChild(setUp, check), 0) << what;
}

}  // namespace
}  // namespace lumivane
