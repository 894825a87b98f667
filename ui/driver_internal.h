// The driver's queued items, shared by its queue and its step runner.
#pragma once

#include "ui/driver.h"

#include <functional>
#include <string>

enum StepKind : int {
  STEP_SETTEXT,
  STEP_CLICK,
  STEP_CHECK,
  STEP_DOUBLECLICK,
  STEP_RIGHTCLICK,
  STEP_CHOOSE,
  STEP_CHOOSETEXT,
  STEP_SELECTROW,
  STEP_DOUBLECLICKROW,
  STEP_RIGHTCLICKROW,
  STEP_POPUP,
  STEP_MENU,
  STEP_SHORTCUT,
  STEP_CANVAS,
  STEP_CANVASKEY,
  STEP_WHEEL,
  STEP_TICK,
  STEP_RESIZE,
  STEP_CLOSEBOX,
  STEP_TIMEOUT,
  STEP_CALL,
  // requester answers
  ANSWER_MESSAGE,
  ANSWER_FILE,
  ANSWER_PATH,
  ANSWER_COLOR,
  ANSWER_INPUT,
};

struct DriverItem {
  int kind = STEP_CLICK;
  GadgetRef gadget = 0;
  WindowRef window = 0;
  std::string text;     // text to type, item text, requester title
  std::string text2;    // requester text, or the path a file requester returns
  std::string text3;    // the text an input requester returns
  int a = 0, b = 0, c = 0, d = 0, e = 0;
  std::function<void()> call;
  bool isAnswer() const { return kind >= ANSWER_MESSAGE; }
};

std::string describeItem(const DriverItem& item);
// Runs one step against the widgets; reports its own failures.
void runStep(const DriverItem& item);
void driverFail(const std::string& problem);
int resolveGadgetRef(const GadgetRef& ref);
int resolveWindowRef(const WindowRef& ref);
