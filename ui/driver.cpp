// The driver's queue of steps and answers, its requesters, and its failure
// rules. The steps themselves run in driver_steps.cpp.
#include "ui/driver_internal.h"
#include "ui/ui_internal.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

bool active = false;
std::deque<DriverItem> items;
std::deque<std::string> history;   // the last steps run, newest last
void (*reporter)(const std::string&) = nullptr;
int failures = 0;
bool gaveUp = false;
int closesSinceGivingUp = 0;
const Requesters* before = nullptr;
// Close events handed to a loop after a failure before the program stops.
constexpr int MAX_CLOSES_AFTER_FAILURE = 20;

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string refText(const GadgetRef& g) {
  return g.name.empty() ? "gadget " + std::to_string(g.number) : quoted(g.name);
}

std::string refText(const WindowRef& w) {
  if (!w.title.empty()) return "window " + quoted(w.title);
  return w.number ? "window " + std::to_string(w.number) : "the newest window";
}

int newestWindow() {
  const std::vector<int>& order = windowOrder();
  return order.empty() ? 0 : order.back();
}

std::string context() {
  std::string s = "\n  waiting: " + describeWindow(newestWindow());
  s += "\n  last steps:";
  if (history.empty()) s += " (none)";
  for (const std::string& h : history) s += "\n    " + h;
  if (!items.empty()) s += "\n  next: " + describeItem(items.front());
  return s;
}

void remember(const std::string& what) {
  history.push_back(what);
  while (history.size() > 6) history.pop_front();
}

void queueItem(DriverItem item) { items.push_back(std::move(item)); }

DriverItem step(int kind, GadgetRef g) {
  DriverItem it;
  it.kind = kind;
  it.gadget = std::move(g);
  return it;
}

// ---------------------------------------------------------------- requesters
// Takes the next item when it answers a requester of `kind`; reports a
// failure and gives false otherwise.
bool takeAnswer(int kind, const std::string& what, const std::string& title, const std::string* text,
                DriverItem& out) {
  if (items.empty() || items.front().kind != kind) {
    driverFail("unexpected " + what + " " + quoted(title) + (text ? " " + quoted(*text) : ""));
    return false;
  }
  DriverItem it = items.front();
  items.pop_front();
  remember("answer " + describeItem(it));
  bool titleOk = it.text == title;
  bool textOk = !text || kind == ANSWER_FILE || kind == ANSWER_PATH || it.text2 == *text;
  if (kind == ANSWER_COLOR) titleOk = textOk = true;
  if (!titleOk || !textOk) {
    driverFail("a " + what + " came with " + quoted(title) + (text ? " " + quoted(*text) : "") +
               " where the answer expects " + quoted(it.text) +
               (kind == ANSWER_MESSAGE || kind == ANSWER_INPUT ? " " + quoted(it.text2) : ""));
    return false;
  }
  out = it;
  return true;
}

int driverMessage(const std::string& title, const std::string& text, int flags) {
  DriverItem it;
  int cancel = flags == MSG_YESNOCANCEL ? MSG_RESULT_CANCEL : flags == MSG_YESNO ? MSG_RESULT_NO : MSG_RESULT_OK;
  if (!takeAnswer(ANSWER_MESSAGE, "message requester", title, &text, it)) return cancel;
  if (flags == MSG_OK) return MSG_RESULT_OK;
  return it.a;
}

std::string driverFile(const std::string& title, const std::string&, const std::string&, int) {
  DriverItem it;
  return takeAnswer(ANSWER_FILE, "file requester", title, nullptr, it) ? it.text2 : std::string();
}

std::string driverPath(const std::string& title, const std::string&) {
  DriverItem it;
  return takeAnswer(ANSWER_PATH, "folder requester", title, nullptr, it) ? it.text2 : std::string();
}

int driverColor(int) {
  DriverItem it;
  return takeAnswer(ANSWER_COLOR, "colour requester", "", nullptr, it) ? it.a : -1;
}

std::string driverInput(const std::string& title, const std::string& text, const std::string&) {
  DriverItem it;
  return takeAnswer(ANSWER_INPUT, "input requester", title, &text, it) ? it.text3 : std::string();
}

const Requesters driverRequesters = {driverMessage, driverFile, driverFile, driverPath, driverColor, driverInput};

}  // namespace

std::string describeItem(const DriverItem& it) {
  switch (it.kind) {
    case STEP_SETTEXT: return "set text of " + refText(it.gadget) + " to " + quoted(it.text);
    case STEP_CLICK: return "click " + refText(it.gadget);
    case STEP_CHECK: return std::string(it.a ? "check " : "uncheck ") + refText(it.gadget);
    case STEP_DOUBLECLICK: return "double click " + refText(it.gadget);
    case STEP_RIGHTCLICK: return "right click " + refText(it.gadget);
    case STEP_CHOOSE: return "choose " + std::to_string(it.a) + " in " + refText(it.gadget);
    case STEP_CHOOSETEXT: return "choose " + quoted(it.text) + " in " + refText(it.gadget);
    case STEP_SELECTROW: return "select row " + std::to_string(it.a) + " of " + refText(it.gadget);
    case STEP_DOUBLECLICKROW: return "double click row " + std::to_string(it.a) + " of " + refText(it.gadget);
    case STEP_RIGHTCLICKROW: return "right click row " + std::to_string(it.a) + " of " + refText(it.gadget);
    case STEP_POPUP: return "choose popup item " + std::to_string(it.a);
    case STEP_MENU: return "choose menu item " + std::to_string(it.a);
    case STEP_SHORTCUT: return "shortcut " + std::to_string(it.a) + " on " + refText(it.window);
    case STEP_CANVAS:
      return "canvas event " + std::to_string(it.a) + " at (" + std::to_string(it.b) + ", " +
             std::to_string(it.c) + ") on " + refText(it.gadget);
    case STEP_CANVASKEY: return "key " + std::to_string(it.a) + " on " + refText(it.gadget);
    case STEP_WHEEL: return "wheel " + std::to_string(it.a) + " notches on " + refText(it.gadget);
    case STEP_TICK: return "tick of timer " + std::to_string(it.a) + " on " + refText(it.window);
    case STEP_RESIZE:
      return "resize " + refText(it.window) + " to " + std::to_string(it.a) + " x " + std::to_string(it.b);
    case STEP_CLOSEBOX: return "close box of " + refText(it.window);
    case STEP_TIMEOUT: return "time-out";
    case STEP_CALL: return it.text;
    case ANSWER_MESSAGE: return "message " + quoted(it.text) + " " + quoted(it.text2);
    case ANSWER_FILE: return "file requester " + quoted(it.text) + " -> " + quoted(it.text2);
    case ANSWER_PATH: return "folder requester " + quoted(it.text) + " -> " + quoted(it.text2);
    case ANSWER_COLOR: return "colour requester -> " + std::to_string(it.a);
    case ANSWER_INPUT:
      return "input requester " + quoted(it.text) + " " + quoted(it.text2) + " -> " + quoted(it.text3);
    default: return "step";
  }
}

void driverFail(const std::string& problem) {
  ++failures;
  std::string message = "window test: " + problem + context();
  if (reporter) {
    reporter(message);
  } else {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
  }
}

bool driverActive() { return active; }
bool driverGuarding() { return reporter != nullptr; }

void driverOnFailure(void (*report)(const std::string& message)) { reporter = report; }
int driverFailures() { return failures; }

void driverStart() {
  if (!active) before = setRequesters(&driverRequesters);
  active = true;
  items.clear();
  history.clear();
  failures = 0;
  gaveUp = false;
  closesSinceGivingUp = 0;
  clearShownPopup();
}

bool driverCheckDone() {
  bool done = items.empty();
  if (!done) {
    std::string left = std::to_string(items.size()) + " step(s) left over:";
    for (const DriverItem& it : items) left += "\n    " + describeItem(it);
    driverFail(left);
  }
  items.clear();
  gaveUp = false;
  closesSinceGivingUp = 0;
  return done;
}

void driverStop() {
  if (active) setRequesters(before);
  active = false;
  items.clear();
  gaveUp = false;
  closesSinceGivingUp = 0;
  clearShownPopup();
}

void driverReset() {
  driverStop();
  std::vector<int> open = windowOrder();
  for (auto it = open.rbegin(); it != open.rend(); ++it) closeWindow(*it);
  freeAllMenus();
  while (windowEvent() != EV_NONE) {
  }
  flushDeferredDeletes();
}

int driverFeed() {
  if (gaveUp || items.empty()) {
    if (!gaveUp)
      driverFail(active ? "a window loop waits and no step is left"
                        : "a window loop waits without limit and the driver is off (driverStart first)");
    gaveUp = true;
    if (++closesSinceGivingUp > MAX_CLOSES_AFTER_FAILURE) {
      std::fprintf(stderr, "window test: the window loop did not end after the failure above; stopping.\n");
      std::fflush(stderr);
      std::_Exit(3);
    }
    // The way out: most windows take their close event as Cancel.
    postEvent(EV_CLOSEWINDOW, newestWindow(), 0);
    return FEED_ABORT;
  }
  DriverItem it = items.front();
  items.pop_front();
  if (it.isAnswer()) {
    remember("(skipped) " + describeItem(it));
    driverFail("a window loop waits where the next item answers a requester: " + describeItem(it));
    return FEED_STEP;
  }
  remember(describeItem(it));
  if (it.kind != STEP_POPUP) clearShownPopup();   // any other input closes a popup
  if (it.kind == STEP_TIMEOUT) return FEED_TIMEOUT;
  runStep(it);
  return FEED_STEP;
}

// ---------------------------------------------------------------- queueing
void driverSetText(GadgetRef g, const std::string& text) {
  DriverItem it = step(STEP_SETTEXT, std::move(g));
  it.text = text;
  queueItem(std::move(it));
}
void driverClick(GadgetRef g) { queueItem(step(STEP_CLICK, std::move(g))); }
void driverCheck(GadgetRef g, bool checked) {
  DriverItem it = step(STEP_CHECK, std::move(g));
  it.a = checked ? 1 : 0;
  queueItem(std::move(it));
}
void driverDoubleClick(GadgetRef g) { queueItem(step(STEP_DOUBLECLICK, std::move(g))); }
void driverRightClick(GadgetRef g) { queueItem(step(STEP_RIGHTCLICK, std::move(g))); }
void driverChoose(GadgetRef g, int index) {
  DriverItem it = step(STEP_CHOOSE, std::move(g));
  it.a = index;
  queueItem(std::move(it));
}
void driverChooseText(GadgetRef g, const std::string& itemText) {
  DriverItem it = step(STEP_CHOOSETEXT, std::move(g));
  it.text = itemText;
  queueItem(std::move(it));
}
void driverSelectRow(GadgetRef g, int row) {
  DriverItem it = step(STEP_SELECTROW, std::move(g));
  it.a = row;
  queueItem(std::move(it));
}
void driverDoubleClickRow(GadgetRef g, int row) {
  DriverItem it = step(STEP_DOUBLECLICKROW, std::move(g));
  it.a = row;
  queueItem(std::move(it));
}
void driverRightClickRow(GadgetRef g, int row) {
  DriverItem it = step(STEP_RIGHTCLICKROW, std::move(g));
  it.a = row;
  queueItem(std::move(it));
}
void driverChoosePopupItem(int item) {
  DriverItem it = step(STEP_POPUP, 0);
  it.a = item;
  queueItem(std::move(it));
}
void driverChooseMenu(int item) {
  DriverItem it = step(STEP_MENU, 0);
  it.a = item;
  queueItem(std::move(it));
}
void driverShortcut(WindowRef window, int shortcut) {
  DriverItem it = step(STEP_SHORTCUT, 0);
  it.window = std::move(window);
  it.a = shortcut;
  queueItem(std::move(it));
}
void driverCanvas(GadgetRef g, int type, int x, int y, int buttons, int modifiers) {
  DriverItem it = step(STEP_CANVAS, std::move(g));
  it.a = type;
  it.b = x;
  it.c = y;
  it.d = buttons;
  it.e = modifiers;
  queueItem(std::move(it));
}
void driverCanvasKey(GadgetRef g, int key, int modifiers) {
  DriverItem it = step(STEP_CANVASKEY, std::move(g));
  it.a = key;
  it.e = modifiers;
  queueItem(std::move(it));
}
void driverWheel(GadgetRef g, int notches) {
  DriverItem it = step(STEP_WHEEL, std::move(g));
  it.a = notches;
  queueItem(std::move(it));
}
void driverTick(WindowRef window, int timer) {
  DriverItem it = step(STEP_TICK, 0);
  it.window = std::move(window);
  it.a = timer;
  queueItem(std::move(it));
}
void driverResize(WindowRef window, int innerWidth, int innerHeight) {
  DriverItem it = step(STEP_RESIZE, 0);
  it.window = std::move(window);
  it.a = innerWidth;
  it.b = innerHeight;
  queueItem(std::move(it));
}
void driverCloseBox(WindowRef window) {
  DriverItem it = step(STEP_CLOSEBOX, 0);
  it.window = std::move(window);
  queueItem(std::move(it));
}
void driverTimeout() { queueItem(step(STEP_TIMEOUT, 0)); }
void driverCall(std::function<void()> check, const std::string& what) {
  DriverItem it = step(STEP_CALL, 0);
  it.call = std::move(check);
  it.text = what;
  queueItem(std::move(it));
}

void driverAnswerMessage(const std::string& title, const std::string& text, int result) {
  DriverItem it = step(ANSWER_MESSAGE, 0);
  it.text = title;
  it.text2 = text;
  it.a = result;
  queueItem(std::move(it));
}
void driverAnswerFile(const std::string& title, const std::string& path) {
  DriverItem it = step(ANSWER_FILE, 0);
  it.text = title;
  it.text2 = path;
  queueItem(std::move(it));
}
void driverAnswerPath(const std::string& title, const std::string& path) {
  DriverItem it = step(ANSWER_PATH, 0);
  it.text = title;
  it.text2 = path;
  queueItem(std::move(it));
}
void driverAnswerColor(int result) {
  DriverItem it = step(ANSWER_COLOR, 0);
  it.a = result;
  queueItem(std::move(it));
}
void driverAnswerInput(const std::string& title, const std::string& text, const std::string& result) {
  DriverItem it = step(ANSWER_INPUT, 0);
  it.text = title;
  it.text2 = text;
  it.text3 = result;
  queueItem(std::move(it));
}
