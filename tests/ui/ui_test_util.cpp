#include "ui_test_util.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

std::string toString(const std::vector<Ev>& events) {
  std::string s;
  for (const Ev& e : events)
    s += "(" + std::to_string(e.kind) + "," + std::to_string(e.window) + "," + std::to_string(e.object) + "," +
         std::to_string(e.type) + ")";
  return s;
}

void runQt(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
}

std::vector<Ev> drainEvents() {
  QCoreApplication::processEvents();
  std::vector<Ev> out;
  for (int k = windowEvent(); k != EV_NONE; k = windowEvent()) {
    int object = k == EV_GADGET ? eventGadget() : k == EV_MENU ? eventMenu() : k == EV_TIMER ? eventTimer() : 0;
    out.push_back({k, eventWindow(), object, eventType()});
  }
  return out;
}

std::vector<int> gadgetTypes(const std::vector<Ev>& events, int gadget) {
  std::vector<int> types;
  for (const Ev& e : events)
    if (e.kind == EV_GADGET && e.object == gadget) types.push_back(e.type);
  return types;
}
