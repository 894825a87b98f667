// Showing things while the program is busy: a gadget or a window painted at
// once, a gadget text that changes back later without blocking, and a wait
// during which windows keep painting.
#include "ui/ui_internal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <map>

namespace {
std::map<int, QPointer<QTimer>> laterTexts;

// Runs the window system's events but no input, for at most ms.
void paintFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  } while (clock.elapsed() < ms);
}
}  // namespace

void paintGadgetNow(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g || !g->widget->isVisible()) return;
  g->widget->repaint();
}

void setGadgetTextLater(int gadget, int ms, const std::string& text) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  if (QTimer* old = laterTexts[gadget]) old->deleteLater();
  // Owned by the widget: a freed gadget takes its pending text with it.
  auto* timer = new QTimer(g->widget);
  timer->setSingleShot(true);
  QObject::connect(timer, &QTimer::timeout, timer, [gadget, text, timer] {
    timer->deleteLater();
    if (findGadget(gadget)) setGadgetText(gadget, text);
  });
  laterTexts[gadget] = timer;
  timer->start(std::max(0, ms));
}

void paintWindowNow(int window) {
  WindowRec* w = findWindow(window);
  if (!w || !w->top->isVisible()) return;
  QElapsedTimer clock;
  clock.start();
  // The window system maps a new window a little later; until then nothing
  // painted would reach the screen.
  while (clock.elapsed() < 1000) {
    QWindow* handle = w->top->windowHandle();
    if (!handle || handle->isExposed()) break;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    w = findWindow(window);
    if (!w) return;
  }
  w->top->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void waitPainting(int ms) {
  if (ms > 0) paintFor(ms);
}
