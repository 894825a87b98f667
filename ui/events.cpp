// The one global event queue that every window loop reads, and the waiting.
// Widgets only append to the queue in their signal handlers; the program's
// own code runs once a wait has taken an event (in the window's own event
// handler, or after waitWindowEvent returns), never inside a signal handler.
#include "ui/ui_internal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace {
std::deque<EventRec> queue;
EventRec current;
int quietDepth = 0;
std::vector<QEventLoop*> waiting;

int takeEvent() {
  current = queue.front();
  queue.pop_front();
  if (current.kind == EV_TIMER) clearTimerPending(current.window, current.object);
  if (current.kind == EV_GADGET) canvasTakeEvent(current);
  return current.kind;
}

// A window with a handler of its own has its event here, inside whichever
// loop took it; that loop never sees it.
bool handledByItsWindow(int kind) {
  WindowRec* w = findWindow(current.window);
  if (kind == EV_NONE || !w || !w->handler) return false;
  w->handler(kind);
  return true;
}

void pumpQt() {
  // Geometry and state changes of top-level windows arrive as posted events.
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}
}  // namespace

QuietScope::QuietScope() { ++quietDepth; }
QuietScope::~QuietScope() { --quietDepth; }
bool isQuiet() { return quietDepth > 0; }

void pushEvent(const EventRec& e) {
  if (e.kind == EV_SIZEWINDOW || e.kind == EV_MOVEWINDOW) {
    // One pending size (or move) event per window is all a loop needs.
    for (const EventRec& q : queue)
      if (q.kind == e.kind && q.window == e.window) return;
  }
  queue.push_back(e);
  if (!waiting.empty()) waiting.back()->quit();
}

void pushGadgetEvent(int gadget, int type) {
  if (isQuiet()) return;
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  EventRec e;
  e.kind = EV_GADGET;
  e.window = g->window;
  e.object = gadget;
  e.type = type;
  pushEvent(e);
}

void purgeEvents(int window, int object, int kind) {
  for (auto it = queue.begin(); it != queue.end();) {
    bool match = (window == 0 || it->window == window) && (object == 0 || it->object == object) &&
                 (kind == EV_NONE || it->kind == kind);
    if (match) it = queue.erase(it);
    else ++it;
  }
}

bool queueEmpty() { return queue.empty(); }
size_t queueSize() { return queue.size(); }

void flushDeferredDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int windowEvent() {
  for (;;) {
    flushDeferredDeletes();
    if (queue.empty()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (queue.empty()) {
      current = EventRec();
      return EV_NONE;
    }
    int kind = takeEvent();
    if (!handledByItsWindow(kind)) return kind;
  }
}

namespace {

int waitOneEvent(int timeoutMs) {
  flushDeferredDeletes();
  if (queue.empty()) pumpQt();
  if (!queue.empty()) return takeEvent();
  // In a test program (one that takes driver failures) a wait without limit
  // and without the driver would never end: it fails like a driven wait
  // with no step left.
  if (driverActive() || (timeoutMs < 0 && driverGuarding())) {
    // Under the driver nothing waits: each empty wait runs the next step
    // against the widgets, whose signals fill the queue.
    for (;;) {
      int r = driverFeed();
      pumpQt();
      if (!queue.empty()) return takeEvent();
      if (r == FEED_TIMEOUT) {
        current = EventRec();
        return EV_NONE;
      }
    }
  }
  QEventLoop loop;
  QTimer timer;
  bool timedOut = false;
  if (timeoutMs >= 0) {
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
      timedOut = true;
      loop.quit();
    });
    timer.start(timeoutMs);
  }
  waiting.push_back(&loop);
  while (queue.empty() && !timedOut) loop.exec();
  waiting.pop_back();
  flushDeferredDeletes();
  if (!queue.empty()) return takeEvent();
  current = EventRec();
  return EV_NONE;
}

}  // namespace

int waitWindowEvent(int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    int left = timeoutMs < 0 ? -1 : std::max(0, timeoutMs - int(clock.elapsed()));
    int kind = waitOneEvent(left);
    if (!handledByItsWindow(kind)) return kind;
  }
}

void setWindowEventHandler(int window, void (*handler)(int event)) {
  if (WindowRec* w = findWindow(window)) w->handler = handler;
}

int eventWindow() { return current.window; }
int eventGadget() { return current.kind == EV_GADGET ? current.object : 0; }
int eventType() { return current.type; }
int eventMenu() { return current.kind == EV_MENU ? current.object : 0; }
int eventTimer() { return current.kind == EV_TIMER ? current.object : 0; }

void postEvent(int kind, int window, int object, int type) {
  EventRec e;
  e.kind = kind;
  e.window = window;
  e.object = object;
  e.type = type;
  pushEvent(e);
}
