#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace platform {

// A QApplication on the offscreen platform for one test: no display needed, real widgets.
class QtAppTest : public ::testing::Test {
 protected:
  QtAppTest() : app_(std::make_unique<QApplication>(argc_, argv_)) {}

 private:
  int argc_ = 3;
  char name_[8] = "qt_test";
  char platformSwitch_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, platformSwitch_, platform_, nullptr};
  std::unique_ptr<QApplication> app_;
};

}  // namespace platform
