// Window timers. A tick waits in the queue until the window's loop takes it;
// a timer whose tick is still waiting adds no second one, so a slow loop
// sees one tick, not a pile.
#include "ui/ui_internal.h"

#include <QTimer>

#include <set>

namespace {
std::set<std::pair<int, int>> pending;
}

void timerTick(int window, int timer, bool fromDriver) {
  // Under the driver only its own tick steps count: real time plays no part.
  if (driverActive() && !fromDriver) return;
  WindowRec* w = findWindow(window);
  if (!w || !w->timers.count(timer)) return;
  if (!pending.insert({window, timer}).second) return;
  postEvent(EV_TIMER, window, timer);
}

void clearTimerPending(int window, int timer) { pending.erase({window, timer}); }

void addWindowTimer(int window, int timer, int intervalMs) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  QTimer*& t = w->timers[timer];
  if (!t) {
    t = new QTimer(w->top);
    QObject::connect(t, &QTimer::timeout, t, [window, timer] { timerTick(window, timer, false); });
  }
  t->start(std::max(1, intervalMs));
}

void removeWindowTimer(int window, int timer) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  auto it = w->timers.find(timer);
  if (it == w->timers.end()) return;
  it->second->stop();
  it->second->deleteLater();
  w->timers.erase(it);
  // A tick of a removed timer must not arrive afterwards.
  purgeEvents(window, timer, EV_TIMER);
  pending.erase({window, timer});
}

void stopWindowTimers(int window) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  std::vector<int> numbers;
  for (auto& [n, t] : w->timers) numbers.push_back(n);
  for (int n : numbers) removeWindowTimer(window, n);
}
