// Fails the n-th write, sync or rename of the file layer, as a full or
// broken disk would; deletes always go through. Counts what it saw; set
// for its lifetime.
#pragma once

#include <set>
#include <string>

#include "ui/system.h"

struct FailingStep {
  int failAt, seen = 0, renames = 0, renamesBeforeFailure = -1;
  std::set<int> failedKinds;
  explicit FailingStep(int n) : failAt(n) {
    fileStepHook = [this](int step, const std::string&) {
      if (step == STEP_DELETE) return true;
      ++seen;
      bool fails = seen == failAt;
      if (fails && failedKinds.empty()) renamesBeforeFailure = renames;
      if (fails) failedKinds.insert(step);
      if (!fails && step == STEP_RENAME) ++renames;
      return !fails;
    };
  }
  ~FailingStep() { fileStepHook = nullptr; }
  FailingStep(const FailingStep&) = delete;
  FailingStep& operator=(const FailingStep&) = delete;
};
