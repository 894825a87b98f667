// gtest main for window tests: the offscreen platform unless the caller
// chose one, the application object, and driver failures as test failures.
#include "ui/driver.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void reportFailure(const std::string& message) { ADD_FAILURE() << message; }

// After every test: steps the test left over fail it, and its windows, its
// queued events and the driver are gone before the next test starts. gtest
// calls the end of a test on the listeners added last first, while the
// test's result is still open.
class DriverCleanup : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    if (driverActive()) driverCheckDone();
    driverReset();
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  // Death tests start the program afresh rather than fork it with Qt running.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  initUi(argc, argv);
  driverOnFailure(reportFailure);
  testing::UnitTest::GetInstance()->listeners().Append(new DriverCleanup);
  return RUN_ALL_TESTS();
}
