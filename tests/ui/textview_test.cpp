// The rich-text view: RTF shown as styled text, refused documents, word
// wrap and the scroll position after a load.
#include "ui/ui.h"
#include "ui/ui_qt.h"
#include "ui_test_util.h"

#include <QFontInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <cstring>

namespace {

class TextView : public testing::Test {
 protected:
  void SetUp() override {
    window = openWindow(UI_ANY, 0, 0, 400, 300, "view", WIN_TITLEBAR);
    view = textViewGadget(UI_ANY, 0, 0, 300, 200);
    edit = qobject_cast<QTextEdit*>(gadgetWidget(view));
  }
  void TearDown() override { closeWindow(window); }
  int load(const std::string& rtf) { return setTextViewRtf(view, rtf.data(), rtf.size()); }
  // The character format just after `offset` in the view's text.
  QTextCharFormat formatAt(int offset) {
    QTextCursor c(edit->document());
    c.setPosition(offset + 1);
    return c.charFormat();
  }
  int window = 0, view = 0;
  QTextEdit* edit = nullptr;
};

std::string longDocument(int paragraphs) {
  std::string rtf = "{\\rtf1\\ansi ";
  for (int i = 0; i < paragraphs; ++i)
    rtf += "Paragraph " + std::to_string(i) + " with words enough to need more than one line in a narrow view.\\par ";
  return rtf + "}";
}

}  // namespace

TEST_F(TextView, ShowsTheRunsWithTheirFormats) {
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(gadgetKind(view), GK_TEXTVIEW);
  ASSERT_EQ(load("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                 "{\\colortbl;\\red200\\green0\\blue0;}"
                 "\\fs20 plain {\\b bold} {\\i\\cf1 red} {\\f1 code}\\par\\qc\\fs40 big\\u8226?\\par}"),
            1);
  EXPECT_EQ(getGadgetText(view), "plain bold red code\nbig\xE2\x80\xA2");
  EXPECT_FALSE(formatAt(0).font().bold());
  EXPECT_DOUBLE_EQ(formatAt(0).fontPointSize(), 10.0);
  EXPECT_TRUE(formatAt(6).font().bold());
  EXPECT_TRUE(formatAt(11).fontItalic());
  EXPECT_EQ(formatAt(11).foreground().color(), QColor(200, 0, 0));
  EXPECT_TRUE(QFontInfo(formatAt(15).font()).fixedPitch());
  QTextBlock second = edit->document()->begin().next();
  EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(formatAt(21).fontPointSize(), 20.0);
  // Read-only, but its text can be selected.
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_TRUE(edit->textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_TRUE(drainEvents().empty());
}

TEST_F(TextView, RefusedDocumentsLeaveTheViewAsItWas) {
  ASSERT_EQ(load("{\\rtf1 kept}"), 1);
  QTextDocument* shown = edit->document();
  for (const char* bad : {"plain text", "{\\rtf1 open", "{\\rtf1 cut \\'9}", "{\\rtf1 x}}"}) {
    EXPECT_EQ(load(bad), 0) << bad;
    EXPECT_EQ(getGadgetText(view), "kept") << bad;
    EXPECT_EQ(edit->document(), shown) << bad;
  }
  EXPECT_EQ(setTextViewRtf(view, nullptr, 4), 0);
  // Only a text view takes a document.
  int button = buttonGadget(UI_ANY, 0, 250, 80, 25, "b");
  const char rtf[] = "{\\rtf1 x}";
  EXPECT_EQ(setTextViewRtf(button, rtf, strlen(rtf)), 0);
  EXPECT_EQ(setTextViewRtf(999999, rtf, strlen(rtf)), 0);
  EXPECT_EQ(getGadgetText(button), "b");
}

TEST_F(TextView, WordWrapFollowsTheViewsWidth) {
  ASSERT_EQ(load(longDocument(3)), 1);
  edit->document()->adjustSize();
  EXPECT_GT(edit->document()->idealWidth(), edit->viewport()->width());   // no wrap at first
  setTextViewWordWrap(view, 1);
  ASSERT_EQ(load(longDocument(3)), 1);   // the setting outlives a load
  runQt(10);
  EXPECT_LE(edit->document()->idealWidth(), edit->viewport()->width());
  EXPECT_FALSE(edit->horizontalScrollBar()->isVisible());
  resizeGadget(view, UI_IGNORE, UI_IGNORE, 150, UI_IGNORE);
  runQt(10);
  EXPECT_LE(edit->document()->idealWidth(), edit->viewport()->width());
  EXPECT_LT(edit->viewport()->width(), 150);
  setTextViewWordWrap(view, 0);
  runQt(10);
  EXPECT_GT(edit->document()->idealWidth(), edit->viewport()->width());
}

TEST_F(TextView, EveryLoadShowsTheTopOfItsDocument) {
  setTextViewWordWrap(view, 1);
  ASSERT_EQ(load(longDocument(60)), 1);
  runQt(10);
  QScrollBar* bar = edit->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum());
  edit->moveCursor(QTextCursor::End);
  ASSERT_EQ(load(longDocument(60)), 1);
  runQt(10);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(edit->textCursor().position(), 0);
}
