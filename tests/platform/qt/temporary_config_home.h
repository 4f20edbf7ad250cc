#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumivane::testing {

// A test with its own empty XDG_CONFIG_HOME, given back afterwards.
class TemporaryConfigHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(configHome_.isValid());
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome_.path().toUtf8());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", oldConfigHome_); }

  QString ConfigHome() const { return configHome_.path(); }

 private:
  QTemporaryDir configHome_;
  QByteArray oldConfigHome_;
};

}  // namespace lumivane::testing
