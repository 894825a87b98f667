// The completion list while typing, accepting it, and the identifier at the
// caret for the help lines.
#include "editor_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QListWidget>
#include <QTest>

namespace {

class CompletionTest : public EditorTest {
 protected:
  // The words of the list the view shows; empty when none is showing.
  std::vector<std::string> shownList() {
    std::vector<std::string> words;
    if (!send(Sci::SCI_AUTOCACTIVE)) return words;
    for (QWidget* w : QApplication::allWidgets()) {
      auto* list = qobject_cast<QListWidget*>(w);
      if (!list || list->isHidden()) continue;
      for (int i = 0; i < list->count(); i++) words.push_back(list->item(i)->text().toStdString());
    }
    return words;
  }
  void type(const char* text) { QTest::keyClicks(view, text); }
  // Laid out at its full width: on the hidden parent the view is a few
  // characters wide, scrolls long words off its left edge, and the list
  // would be placed off every screen.
  void showEditor() {
    parent->resize(800, 600);
    parent->show();
    QCoreApplication::processEvents();
  }
};

TEST_F(CompletionTest, ListWhileTyping) {
  struct Case {
    const char* typed;
    std::vector<std::string> list;
  };
  const Case cases[] = {
      {"wh", {}},
      {"whi", {"while"}},
      {"while", {}},   // the only candidate, typed whole
      {"vk_f1", {"vk_f1", "vk_f10", "vk_f11", "vk_f12"}},
      {"ins", {"instance_create", "instanceof"}},
      {"dra", {"draw_text"}},   // listed twice in the table, offered once
      {"spr", {"spr_Hero"}},    // in its registered case
      {"x = \"whi", {}},        // inside a string
      {"qqq", {}},
      {"obj", {"obj_wall"}},
      {"Sce", {"scene_1"}},     // instances are not offered
  };
  for (const Case& c : cases) {
    setEditorText(gadget, "");
    type(c.typed);
    EXPECT_EQ(shownList(), c.list) << c.typed;
    send(Sci::SCI_AUTOCCANCEL);
  }
}

TEST_F(CompletionTest, DeletingTheThirdCharacterClosesTheList) {
  setEditorText(gadget, "");
  type("whi");
  ASSERT_TRUE(send(Sci::SCI_AUTOCACTIVE));
  QTest::keyClick(view, Qt::Key_Backspace);
  EXPECT_FALSE(send(Sci::SCI_AUTOCACTIVE));
  EXPECT_EQ(getEditorText(gadget), "wh");
}

TEST_F(CompletionTest, DeletionUpdatesTheList) {
  setEditorText(gadget, "");
  type("whilx");
  EXPECT_TRUE(shownList().empty());
  QTest::keyClick(view, Qt::Key_Backspace);
  QCoreApplication::processEvents();
  EXPECT_EQ(shownList(), std::vector<std::string>{"while"});
  QTest::keyClick(view, Qt::Key_Backspace);
  QTest::keyClick(view, Qt::Key_Backspace);
  QCoreApplication::processEvents();
  EXPECT_TRUE(shownList().empty());
  EXPECT_EQ(getEditorText(gadget), "wh");
}

TEST_F(CompletionTest, NoListInsideAWord) {
  // Accepting there would put the word's tail a second time after the choice.
  struct Case { const char* text; int caret; const char* typed; const char* after; } cases[] = {
      {"x = fnctio;", 5, "u", "x = fu\nnctio;"},
      {"dom", 0, "ran", "ran\ndom"},
      {"x = whi", 7, "l", nullptr},   // the caret at the word's end: offered
  };
  for (const Case& c : cases) {
    setEditorText(gadget, c.text);
    caretTo(c.caret);
    type(c.typed);
    if (!c.after) {
      EXPECT_EQ(shownList(), std::vector<std::string>{"while"}) << c.text;
      send(Sci::SCI_AUTOCCANCEL);
      continue;
    }
    EXPECT_TRUE(shownList().empty()) << c.text;
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(getEditorText(gadget), c.after) << c.text;
  }
}

// Enter on a list whose chosen entry is already the word before the caret
// makes the new line; on any other entry it takes the entry. Either way the
// list stays closed afterwards, so the next key goes to the line.
TEST_F(CompletionTest, EnterOnTheWholeWordMakesTheNewLine) {
  struct Case {
    const char* typed;
    bool down;   // a Down before Enter: the second entry is chosen
    const char* afterEnter;
  } cases[] = {
      {"var k = keyboard_check", false, "var k = keyboard_check\n"},
      {"vk_f1", false, "vk_f1\n"},
      {"\tif (keyboard_check", false, "\tif (keyboard_check\n\t"},   // indented as any new line
      {"var k = keyboard_che", false, "var k = keyboard_check"},
      {"var k = keyboard_check", true, "var k = keyboard_check_pressed"},
      {"Keyboard_check", false, "keyboard_check"},   // taking the entry mends the case
  };
  showEditor();
  for (const Case& c : cases) {
    setEditorText(gadget, "");
    type(c.typed);
    ASSERT_TRUE(send(Sci::SCI_AUTOCACTIVE)) << c.typed;
    if (c.down) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(getEditorText(gadget), c.afterEnter) << c.typed;
    EXPECT_FALSE(send(Sci::SCI_AUTOCACTIVE)) << c.typed;
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(getEditorText(gadget), std::string(c.afterEnter) + "\n" + (c.typed[0] == '\t' ? "\t" : ""))
        << c.typed;
  }
}

// An accepted entry leaves the list closed until the next typed character.
TEST_F(CompletionTest, ListOpensAgainOnlyWithTheNextCharacter) {
  showEditor();
  setEditorText(gadget, "");
  type("x = keyboard_che");
  QTest::keyClick(view, Qt::Key_Tab);
  QCoreApplication::processEvents();
  EXPECT_EQ(getEditorText(gadget), "x = keyboard_check");
  EXPECT_TRUE(shownList().empty());
  type("_");
  EXPECT_EQ(shownList(), std::vector<std::string>{"keyboard_check_pressed"});
}

// The view places the list by the screen under the word's start; with the
// window dragged off the desktop there is none, and the list stays closed.
TEST_F(CompletionTest, NoListWhereNoScreenIs) {
  showEditor();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  struct Case { QPoint at; bool list; } cases[] = {
      {screen.topLeft(), true},
      {screen.topLeft() - QPoint(790, 0), false},
      {screen.bottomLeft() + QPoint(0, 10), false},
  };
  for (const Case& c : cases) {
    parent->move(c.at);
    QCoreApplication::processEvents();
    setEditorText(gadget, "");
    type("x = whi");
    EXPECT_EQ(shownList().empty(), !c.list) << c.at.x() << ", " << c.at.y();
    send(Sci::SCI_AUTOCCANCEL);
  }
}

TEST_F(CompletionTest, OffWithoutTheOption) {
  setLexerOption(gadget, LEXOPT_STYLING | LEXOPT_FOLDING);
  setEditorText(gadget, "");
  type("whi");
  EXPECT_TRUE(shownList().empty());
}

TEST_F(CompletionTest, KeywordAtCaret) {
  struct Case {
    const char* line;   // '|' marks the caret
    int index;
  };
  const Case cases[] = {
      {"x = instance_|create(room_width);", 0},
      {"x = |instance_create(room_width);", 0},
      {"x = instance_create|(room_width);", 0},   // right after the word
      {"x = instance_create(room_width|);", 1},
      {"c_red|", 2},
      {"|c_red", 2},
      {"draw_|text(1, 2, s)", 4},   // the first record with a help line
      {"key = vk_le|ft;", -1},      // key codes have no help lines
      {"x = instance_create(room_width);|", -1},
      {"x =| 1", -1},
      {"|", -1},
      {"room_|width2x", 1},    // only the letters before the digit
      {"room_width|2x", 1},
      {"room_width2|x", -1},
      {"Room_width|", -1},     // case counts
      {"\xC3\xA9 room_wi|dth", 1},
  };
  for (const Case& c : cases) {
    std::string text = c.line;
    size_t caret = text.find('|');
    text.erase(caret, 1);
    setEditorText(gadget, "first line\n" + text + "\nlast line");
    caretTo(lineStart(1) + static_cast<long>(caret));
    EXPECT_EQ(keywordAtCaret(gadget), c.index) << c.line;
  }
  EXPECT_EQ(keywordAtCaret(999), -1);
}

}  // namespace
