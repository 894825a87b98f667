// The simple gadget kinds: buttons, pictures, labels, text fields, editors,
// check boxes, option groups, track bars, spin fields and frames.
#include "ui/ui_internal.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

// A label whose text runs a little over its room draws it condensed (see
// fittedFont); its room ends short of a gadget laid over its right part.
class FitLabel : public QLabel, public FittedText {
 public:
  explicit FitLabel(QWidget* parent) : QLabel(parent) {}
  QFont shownFont() const override {
    return text().isEmpty() ? font() : fittedFont(font(), text(), textRoom());
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFont shown = shownFont();
    if (shown == font()) return QLabel::paintEvent(e);
    // A plain text label draws no other way.
    QPainter p(this);
    drawFrame(&p);
    p.setFont(shown);
    style()->drawItemText(&p, contentsRect(), int(QStyle::visualAlignment(layoutDirection(), alignment())),
                          palette(), isEnabled(), text(), foregroundRole());
  }

 private:
  int textRoom() const {
    QRect box = contentsRect();
    int room = box.width();
    if (!(alignment() & Qt::AlignLeft) || !parentWidget()) return room;
    int left = x() + box.x();
    const QObjectList& siblings = parentWidget()->children();
    // Those after it in the list stand in front of it.
    for (qsizetype i = siblings.indexOf(this) + 1; i > 0 && i < siblings.size(); ++i) {
      auto* s = qobject_cast<QWidget*>(siblings[i]);
      if (!s || s->isHidden() || qobject_cast<QLabel*>(s)) continue;
      if (s->geometry().intersects(geometry()) && s->x() > left) room = std::min(room, s->x() - left - TEXT_GAP);
    }
    return room;
  }
};

// A picture that reacts like a button: left click, double click, right click.
class PictureWidget : public QFrame {
 public:
  PictureWidget(int number, QWidget* parent) : QFrame(parent), number_(number) {}
  QImage image;
  bool centred = false;
  // A spare widget taken up by a new gadget.
  void renumber(int number) {
    number_ = number;
    afterDouble_ = false;
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFrame::paintEvent(e);
    if (image.isNull()) return;
    QPainter p(this);
    QRect r = contentsRect();
    p.setClipRect(r);
    if (centred)
      p.drawImage(r.x() + (r.width() - image.width()) / 2, r.y() + (r.height() - image.height()) / 2, image);
    else
      p.drawImage(r.topLeft(), image);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::RightButton) pushGadgetEvent(number_, ET_RIGHTCLICK);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    // The release that ends a double click is not a click of its own.
    if (e->button() == Qt::LeftButton && !afterDouble_ && rect().contains(e->position().toPoint()))
      pushGadgetEvent(number_, ET_LEFTCLICK);
    afterDouble_ = false;
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) {
      afterDouble_ = true;
      pushGadgetEvent(number_, ET_LEFTDOUBLECLICK);
    } else if (e->button() == Qt::RightButton) {
      pushGadgetEvent(number_, ET_RIGHTDOUBLECLICK);
    }
  }

 private:
  int number_;
  bool afterDouble_ = false;
};

// Focus changes of a text field, without those that come from another
// window taking the focus (a requester opening over it).
class FocusFilter : public QObject {
 public:
  FocusFilter(int number, QObject* parent) : QObject(parent), number_(number) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
      auto* fe = static_cast<QFocusEvent*>(e);
      if (fe->reason() != Qt::ActiveWindowFocusReason && fe->reason() != Qt::PopupFocusReason)
        pushGadgetEvent(number_, e->type() == QEvent::FocusIn ? ET_FOCUS : ET_LOSTFOCUS);
    }
    return QObject::eventFilter(o, e);
  }

 private:
  int number_;
};

std::map<int, QPointer<QButtonGroup>> optionGroups;

// Our windows are no dialogs, so Qt gives a default button no key: Return
// and Enter press it here, except in a field that takes line breaks itself.
void pressOnReturn(QPushButton* b) {
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* sc = new QShortcut(QKeySequence(key), b->window(), nullptr, nullptr, Qt::WindowShortcut);
    QObject::connect(sc, &QShortcut::activated, b, [b] {
      QWidget* focus = QApplication::focusWidget();
      if (qobject_cast<QAbstractScrollArea*>(focus)) return;   // multi-line fields and code
      if (b->isVisible() && b->isEnabled()) b->click();
    });
    QObject::connect(b, &QObject::destroyed, sc, &QObject::deleteLater);
  }
}

void connectClick(QAbstractButton* b, int n) {
  QObject::connect(b, &QAbstractButton::clicked, b, [n] { pushGadgetEvent(n, ET_LEFTCLICK); });
}

}  // namespace

QFont fittedFont(const QFont& font, const QString& text, int room) {
  auto widest = [&text](const QFont& f) {
    QFontMetrics m(f);
    int w = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) w = std::max(w, m.horizontalAdvance(line));
    return w;
  };
  if (widest(font) <= room) return font;
  for (int stretch = 99; stretch >= MIN_TEXT_STRETCH; --stretch) {
    QFont condensed = font;
    condensed.setStretch(stretch);
    if (widest(condensed) <= room) return condensed;
  }
  return font;
}

QFont shownFont(const QWidget* widget) {
  if (auto* fitted = dynamic_cast<const FittedText*>(widget)) return fitted->shownFont();
  return widget ? widget->font() : QFont();
}

int buttonGadget(int number, int x, int y, int w, int h, const std::string& text, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* b = new QPushButton(escapeMnemonic(text), currentGadgetParent());
  b->setCheckable(flags & BTN_TOGGLE);
  b->setDefault(flags & BTN_DEFAULT);
  b->setAutoDefault(false);
  connectClick(b, n);
  finishGadget(n, GK_BUTTON, b, x, y, w, h, flags);
  if (flags & BTN_DEFAULT) pressOnReturn(b);
  findGadget(n)->text = text;
  return n;
}

int buttonImageGadget(int number, int x, int y, int w, int h, int image, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* b = new QToolButton(currentGadgetParent());
  b->setCheckable(flags & BTN_TOGGLE);
  b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // A stray Space must not run a toolbar command: image buttons are for the mouse.
  b->setFocusPolicy(Qt::NoFocus);
  QImage img = imageToQImage(image);
  if (!img.isNull()) b->setIconSize(img.size());
  b->setIcon(iconOfImage(image));
  connectClick(b, n);
  finishGadget(n, GK_BUTTONIMAGE, b, x, y, w, h, flags);
  findGadget(n)->image = image;
  return n;
}

int imageGadget(int number, int x, int y, int w, int h, int image, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* p = static_cast<PictureWidget*>(takeSpareWidget(GK_IMAGE));
  if (p) p->renumber(n);
  else p = new PictureWidget(n, currentGadgetParent());
  p->setFrameStyle(flags & IMG_BORDER ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
  p->centred = flags & IMG_CENTER;
  finishGadget(n, GK_IMAGE, p, x, y, w, h, flags);
  setImageOfPicture(*findGadget(n), image);
  return n;
}

void setImageOfPicture(GadgetRec& g, int image) {
  g.image = image;
  if (auto* p = dynamic_cast<PictureWidget*>(g.widget)) {
    p->image = image > 0 ? imageToQImage(image) : QImage();
    p->update();
  } else if (auto* b = qobject_cast<QToolButton*>(g.widget)) {
    QImage img = imageToQImage(image);
    if (!img.isNull()) b->setIconSize(img.size());
    b->setIcon(iconOfImage(image));
  }
}

int textGadget(int number, int x, int y, int w, int h, const std::string& text, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* l = static_cast<QLabel*>(takeSpareWidget(GK_TEXT));
  if (!l) {
    l = new FitLabel(currentGadgetParent());
    l->setTextFormat(Qt::PlainText);
  }
  l->setText(qs(text));
  Qt::Alignment a = Qt::AlignTop;
  if (flags & TEXT_CENTER) a |= Qt::AlignHCenter;
  else if (flags & TEXT_RIGHT) a |= Qt::AlignRight;
  else a |= Qt::AlignLeft;
  l->setAlignment(a);
  l->setFrameStyle(flags & TEXT_BORDER ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
  return finishGadget(n, GK_TEXT, l, x, y, w, h, flags);
}

int stringGadget(int number, int x, int y, int w, int h, const std::string& text, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* e = new QLineEdit(currentGadgetParent());
  if (flags & STR_NUMERIC)
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
  e->setReadOnly(flags & STR_READONLY);
  e->setFrame(!(flags & STR_BORDERLESS));
  if (flags & STR_PASSWORD) e->setEchoMode(QLineEdit::Password);
  e->setText(qs(text));
  e->setCursorPosition(0);
  QObject::connect(e, &QLineEdit::textEdited, e, [n] { pushGadgetEvent(n, ET_CHANGE); });
  e->installEventFilter(new FocusFilter(n, e));
  return finishGadget(n, GK_STRING, e, x, y, w, h, flags);
}

int editorGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* e = new QPlainTextEdit(currentGadgetParent());
  e->setReadOnly(flags & ED_READONLY);
  e->setLineWrapMode(flags & ED_WORDWRAP ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  e->setTabChangesFocus(false);
  QObject::connect(e, &QPlainTextEdit::textChanged, e, [n] { pushGadgetEvent(n, ET_CHANGE); });
  e->installEventFilter(new FocusFilter(n, e));
  return finishGadget(n, GK_EDITOR, e, x, y, w, h, flags);
}

int checkBoxGadget(int number, int x, int y, int w, int h, const std::string& text, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* c = new QCheckBox(escapeMnemonic(text), currentGadgetParent());
  connectClick(c, n);
  finishGadget(n, GK_CHECKBOX, c, x, y, w, h, flags);
  findGadget(n)->text = text;
  return n;
}

int optionGadget(int number, int x, int y, int w, int h, const std::string& text) {
  int n = claimGadget(number);
  if (!n) return 0;
  int group = currentOptionGroup(false);
  auto* r = new QRadioButton(escapeMnemonic(text), currentGadgetParent());
  // Qt would group every option of a parent; ours group by the run they were made in.
  r->setAutoExclusive(false);
  QPointer<QButtonGroup>& bg = optionGroups[group];
  if (!bg) bg = new QButtonGroup(currentGadgetParent());
  bg->addButton(r);
  connectClick(r, n);
  finishGadget(n, GK_OPTION, r, x, y, w, h, 0);
  GadgetRec* g = findGadget(n);
  g->text = text;
  g->group = group;
  return n;
}

// Checks or clears an option; checking one clears the others of its group.
void setOptionState(GadgetRec& g, bool on) {
  auto* r = qobject_cast<QRadioButton*>(g.widget);
  if (!r) return;
  QButtonGroup* bg = r->group();
  if (bg) bg->setExclusive(false);
  if (on && bg)
    for (QAbstractButton* other : bg->buttons())
      if (other != r) other->setChecked(false);
  r->setChecked(on);
  if (bg) bg->setExclusive(true);
}

int trackBarGadget(int number, int x, int y, int w, int h, int minimum, int maximum, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* s = new QSlider(Qt::Horizontal, currentGadgetParent());
  s->setRange(minimum, maximum);
  if (flags & TRACK_TICKS) s->setTickPosition(QSlider::TicksBelow);
  QObject::connect(s, &QSlider::valueChanged, s, [n] { pushGadgetEvent(n, ET_CHANGE); });
  return finishGadget(n, GK_TRACKBAR, s, x, y, w, h, flags);
}

int spinGadget(int number, int x, int y, int w, int h, int minimum, int maximum, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* s = new QSpinBox(currentGadgetParent());
  s->setRange(minimum, maximum);
  QObject::connect(s, &QSpinBox::valueChanged, s, [n] { pushGadgetEvent(n, ET_CHANGE); });
  return finishGadget(n, GK_SPIN, s, x, y, w, h, flags);
}

int frameGadget(int number, int x, int y, int w, int h, const std::string& text, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* f = new QGroupBox(qs(text), currentGadgetParent());
  f->setAttribute(Qt::WA_TransparentForMouseEvents);
  f->lower();
  return finishGadget(n, GK_FRAME, f, x, y, w, h, flags);
}
