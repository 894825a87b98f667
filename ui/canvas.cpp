// The canvas gadget: shows a backing image of the image store, which the
// program draws into with ui/draw.h, and reports the pointer and keys in
// canvas pixels with the held buttons and modifiers.
#include "ui/ui_internal.h"
#include "ui/image.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>
#include <cstring>

namespace {

class CanvasWidget : public QWidget {
 public:
  CanvasWidget(int number, QWidget* parent) : QWidget(parent), number_(number) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  // What the canvas shows: the backing image as of the last refresh. Only
  // the part that can be seen is copied at a refresh; a part scrolled into
  // view later is taken from the backing image when it is first painted.
  QImage shown;
  QRegion copied;

  // Brings `shown` to the size of the backing image and copies `area` of it.
  void copyFromBacking(const QRegion& area, bool refresh) {
    int img = canvasImage(number_);
    const uint8_t* src = isImage(img) ? imageBuffer(img) : nullptr;
    if (!src) {
      shown = QImage();
      copied = QRegion();
      return;
    }
    QImage::Format format = imageDepth(img) == 24 ? QImage::Format_RGBX8888 : QImage::Format_RGBA8888;
    int w = imageWidth(img), h = imageHeight(img);
    if (shown.width() != w || shown.height() != h || shown.format() != format) {
      shown = QImage(w, h, format);
      copied = QRegion();
    }
    QRegion want = area & QRect(0, 0, w, h);
    if (!refresh) want -= copied;
    size_t pitch = size_t(imageBufferPitch(img));
    for (const QRect& r : want) {
      for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(shown.scanLine(y) + size_t(r.left()) * 4, src + size_t(y) * pitch + size_t(r.left()) * 4,
                    size_t(r.width()) * 4);
    }
    copied = refresh ? want : copied | want;
  }

  // The canvas's own rectangle clipped by every holder up to its window:
  // the part a refresh must bring up to date.
  QRect visibleRect() const {
    QRect r = rect();
    QPoint offset(0, 0);
    for (const QWidget* c = this; !c->isWindow() && c->parentWidget(); c = c->parentWidget()) {
      offset += c->pos();
      r &= c->parentWidget()->rect().translated(-offset);
    }
    return r;
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    copyFromBacking(e->region(), false);
    p.fillRect(e->rect(), Qt::white);
    if (!shown.isNull()) p.drawImage(e->rect().topLeft(), shown, e->rect());
  }
  void enterEvent(QEnterEvent* e) override {
    push(ET_MOUSEENTER, e->position().toPoint(), QGuiApplication::mouseButtons(), e->modifiers());
  }
  void leaveEvent(QEvent*) override {
    push(ET_MOUSELEAVE, mapFromGlobal(QCursor::pos()), QGuiApplication::mouseButtons(),
         QGuiApplication::keyboardModifiers());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    push(ET_MOUSEMOVE, e->position().toPoint(), e->buttons(), e->modifiers());
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton) push(ET_LEFTBUTTONDOWN, e->position().toPoint(), e->buttons(), e->modifiers());
    else if (e->button() == Qt::RightButton)
      push(ET_RIGHTBUTTONDOWN, e->position().toPoint(), e->buttons(), e->modifiers());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    // The release that ends a double click is no click of its own.
    bool afterDouble = afterDouble_;
    afterDouble_ = false;
    QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
      push(ET_LEFTBUTTONUP, pos, e->buttons(), e->modifiers());
      if (!afterDouble) push(ET_LEFTCLICK, pos, e->buttons(), e->modifiers());
    } else if (e->button() == Qt::RightButton) {
      push(ET_RIGHTBUTTONUP, pos, e->buttons(), e->modifiers());
      if (!afterDouble) push(ET_RIGHTCLICK, pos, e->buttons(), e->modifiers());
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPoint pos = e->position().toPoint();
    afterDouble_ = true;
    if (e->button() == Qt::LeftButton) {
      push(ET_LEFTBUTTONDOWN, pos, e->buttons(), e->modifiers());
      push(ET_LEFTDOUBLECLICK, pos, e->buttons(), e->modifiers());
    } else if (e->button() == Qt::RightButton) {
      push(ET_RIGHTBUTTONDOWN, pos, e->buttons(), e->modifiers());
      push(ET_RIGHTDOUBLECLICK, pos, e->buttons(), e->modifiers());
    }
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (focusPolicy() == Qt::NoFocus) return QWidget::keyPressEvent(e);
    push(ET_KEYDOWN, mapFromGlobal(QCursor::pos()), QGuiApplication::mouseButtons(), e->modifiers(),
         keyFromQt(e->key()));
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (focusPolicy() == Qt::NoFocus || e->isAutoRepeat()) return QWidget::keyReleaseEvent(e);
    push(ET_KEYUP, mapFromGlobal(QCursor::pos()), QGuiApplication::mouseButtons(), e->modifiers(),
         keyFromQt(e->key()));
  }
  // The wheel is reported and also scrolls the scroll area that holds the
  // canvas. It is handed to the area's scroll bar directly: a wheel event
  // made by the test driver would not travel up to the area by itself.
  void wheelEvent(QWheelEvent* e) override {
    if (!isQuiet() && findGadget(number_)) {
      EventRec r = make(ET_MOUSEWHEEL, e->position().toPoint(), e->buttons(), e->modifiers(), 0);
      r.wheel = e->angleDelta().y() / 120;
      pushEvent(r);
    }
    QAbstractScrollArea* area = nullptr;
    for (QWidget* w = parentWidget(); w && !area && !w->isWindow(); w = w->parentWidget())
      area = qobject_cast<QAbstractScrollArea*>(w);
    if (!area) return;
    QPoint d = e->angleDelta();
    QScrollBar* bar = std::abs(d.x()) > std::abs(d.y()) ? area->horizontalScrollBar() : area->verticalScrollBar();
    QCoreApplication::sendEvent(bar, e);
  }
  // Arrow keys and Tab are the canvas's own when it takes keys.
  bool focusNextPrevChild(bool next) override {
    return focusPolicy() == Qt::NoFocus ? QWidget::focusNextPrevChild(next) : false;
  }

 private:
  EventRec make(int type, QPoint pos, Qt::MouseButtons b, Qt::KeyboardModifiers m, int key) {
    EventRec r;
    r.kind = EV_GADGET;
    r.object = number_;
    r.type = type;
    GadgetRec* g = findGadget(number_);
    r.window = g ? g->window : 0;
    r.x = pos.x();
    r.y = pos.y();
    r.buttons = buttonsFromQt(b);
    r.modifiers = modifiersFromQt(m);
    r.key = key;
    return r;
  }
  void push(int type, QPoint pos, Qt::MouseButtons b, Qt::KeyboardModifiers m, int key = 0) {
    if (isQuiet() || !findGadget(number_)) return;
    pushEvent(make(type, pos, b, m, key));
  }

  int number_;
  bool afterDouble_ = false;
};

CanvasWidget* canvasOf(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g && g->kind == GK_CANVAS ? static_cast<CanvasWidget*>(g->widget) : nullptr;
}

}  // namespace

int canvasGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* c = new CanvasWidget(n, currentGadgetParent());
  c->setFocusPolicy(flags & CANVAS_KEYBOARD ? Qt::StrongFocus : Qt::NoFocus);
  finishGadget(n, GK_CANVAS, c, x, y, w, h, flags);
  GadgetRec* g = findGadget(n);
  g->canvasImage = w > 0 && h > 0 ? createImage(UI_ANY, w, h, 24, opaque(0xFFFFFF)) : 0;
  refreshCanvas(n);
  return n;
}

int canvasImage(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g && g->kind == GK_CANVAS ? g->canvasImage : 0;
}

void refreshCanvas(int gadget) {
  CanvasWidget* c = canvasOf(gadget);
  if (!c) return;
  QRect visible = c->visibleRect();
  c->copyFromBacking(visible, true);
  c->update(visible);
}

bool canvasResized(GadgetRec& g, int w, int h) {
  // The backing image keeps its number and its pixels at the top left.
  int old = g.canvasImage;
  if (w <= 0 || h <= 0) {
    if (isImage(old)) freeImage(old);
    g.canvasImage = 0;
    refreshCanvas(g.number);
    return true;
  }
  int keep = isImage(old) ? copyImage(old, UI_ANY) : 0;
  g.canvasImage = createImage(isImage(old) ? old : UI_ANY, w, h, 24, opaque(0xFFFFFF));
  if (keep && g.canvasImage) {
    int cw = std::min(w, imageWidth(keep)), ch = std::min(h, imageHeight(keep));
    for (int y = 0; y < ch; ++y)
      std::memcpy(imageBuffer(g.canvasImage) + size_t(y) * size_t(imageBufferPitch(g.canvasImage)),
                  imageBuffer(keep) + size_t(y) * size_t(imageBufferPitch(keep)), size_t(cw) * 4);
  }
  if (keep) freeImage(keep);
  refreshCanvas(g.number);
  return true;
}

void canvasFreed(GadgetRec& g) {
  if (g.canvasImage && isImage(g.canvasImage)) freeImage(g.canvasImage);
  g.canvasImage = 0;
}

void canvasTakeEvent(const EventRec& e) {
  GadgetRec* g = findGadget(e.object);
  if (g && g->kind == GK_CANVAS) g->canvasEvent = e;
}

int canvasMouseX(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.x : 0;
}
int canvasMouseY(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.y : 0;
}
int canvasButtons(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.buttons : 0;
}
int canvasModifiers(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.modifiers : 0;
}
int canvasKey(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.key : 0;
}
int canvasWheelDelta(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->canvasEvent.wheel : 0;
}

int canvasSnapshot(int gadget) {
  CanvasWidget* c = canvasOf(gadget);
  if (!c) return 0;
  int backing = canvasImage(gadget);
  c->copyFromBacking(QRect(0, 0, imageWidth(backing), imageHeight(backing)), false);
  if (c->shown.isNull()) return 0;
  QImage shown = c->shown.convertToFormat(QImage::Format_RGBA8888);
  int img = createImage(UI_ANY, shown.width(), shown.height(), 32, 0);
  if (!img) return 0;
  for (int y = 0; y < shown.height(); ++y)
    std::memcpy(imageBuffer(img) + size_t(y) * size_t(imageBufferPitch(img)), shown.constScanLine(y),
                size_t(shown.width()) * 4);
  return img;
}
