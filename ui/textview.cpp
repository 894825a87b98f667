// The rich-text view: a read-only, selectable text that shows RTF documents.
#include "ui/rich_text.h"
#include "ui/ui_internal.h"

#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QTextEdit* textViewOf(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g && g->kind == GK_TEXTVIEW ? qobject_cast<QTextEdit*>(g->widget) : nullptr;
}

void setViewText(int gadget, const std::string& text) {
  if (QTextEdit* e = textViewOf(gadget)) e->setPlainText(qs(text));
}

std::string viewText(int gadget) {
  QTextEdit* e = textViewOf(gadget);
  return e ? ss(e->toPlainText()) : std::string();
}

}  // namespace

int textViewGadget(int number, int x, int y, int w, int h) {
  int n = claimGadget(number);
  if (!n) return 0;
  static bool hooked = false;
  if (!hooked) {
    registerGadgetHooks(GK_TEXTVIEW, CustomGadgetHooks{setViewText, viewText});
    hooked = true;
  }
  auto* e = new QTextEdit(currentGadgetParent());
  e->setReadOnly(true);
  e->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  e->setAcceptRichText(true);
  e->setLineWrapMode(QTextEdit::NoWrap);
  e->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  e->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  e->document()->setUndoRedoEnabled(false);
  return finishGadget(n, GK_TEXTVIEW, e, x, y, w, h, 0);
}

void setTextViewWordWrap(int gadget, int flag) {
  if (QTextEdit* e = textViewOf(gadget))
    e->setLineWrapMode(flag ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

int setTextViewRtf(int gadget, const char* data, size_t length) {
  QTextEdit* e = textViewOf(gadget);
  if (!e || !data) return 0;
  RtfDocument doc;
  if (!parseRtf(data, length, doc)) return 0;
  // Built apart and then put in place: one layout instead of one per run.
  auto* fresh = new QTextDocument(e);
  fresh->setUndoRedoEnabled(false);
  fresh->setDefaultFont(e->font());
  buildRichText(doc, *fresh);
  QPointer<QTextDocument> old = e->document();
  e->setDocument(fresh);
  if (old && old->parent() == e) delete old.data();
  e->moveCursor(QTextCursor::Start);
  e->verticalScrollBar()->setValue(0);
  e->horizontalScrollBar()->setValue(0);
  return 1;
}
