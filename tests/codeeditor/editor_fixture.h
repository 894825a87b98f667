// A configured JavaScript code editor on a hidden parent widget (nothing is
// painted, so only the test asks for styling), with a small identifier
// table and a few project names.
#pragma once

#include "codeeditor/code_editor.h"
#include "codeeditor/editor_host.h"
#include "codeeditor/keywords.h"
#include "project/tables.h"

#include <Qsci/qsciscintillabase.h>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Sci = QsciScintillaBase;

inline void setTestKeywords() {
  keywords.clear();
  addKeyword("instance_create", "Fn", "instance_create(x, y, object)", "Makes an instance.");
  addKeyword("room_width", "Var", "room_width", "Width of the scene.");
  addKeyword("c_red", "Cons", "c_red", "Red.");
  addKeyword("draw_text", "Fn", "", "no first line");
  addKeyword("draw_text", "Fn", "draw_text(x, y, text)", "Draws a text.");
  addKeyCodeConstants();
  addKeyword("keyboard_check", "Fn", "keyboard_check(key)", "Whether a key is held.");
  addKeyword("keyboard_check_pressed", "Fn", "keyboard_check_pressed(key)", "Whether a key went down.");
}

inline void setTestProject() {
  sprites.clear();
  objects.clear();
  scenes.clear();
  sprites.push_back({});
  sprites.back().name = "spr_Hero";
  sprites.push_back({});
  sprites.back().name = "new";   // a resource named like a keyword
  objects.push_back({});
  objects.back().prototype = 1;
  objects.back().name = "obj_wall";
  objects.push_back({});
  objects.back().prototype = 0;
  objects.back().name = "SceneObject7";   // a placed instance: not a name
  scenes.push_back({});
  scenes.back().name = "scene_1";
}

class EditorTest : public testing::Test {
 protected:
  void SetUp() override {
    parent = std::make_unique<QWidget>();
    useStandaloneEditorHost(parent.get());
    setTestKeywords();
    setTestProject();
    gadget = createCodeEditor(146, 10, 45, 780, 540, nullptr, 1);
    ASSERT_EQ(gadget, 146);
    setupEditorLexer(gadget);
    rec = editorRecord(gadget);
    view = rec->view;
  }
  void TearDown() override {
    freeCodeEditor(gadget);
    parent.reset();
  }

  long send(unsigned int message, unsigned long w = 0, long l = 0) {
    return view->SendScintilla(message, w, l);
  }
  // What painting would do: style from the first unstyled byte up to `pos`.
  void styleTo(long pos) { send(Sci::SCI_COLOURISE, send(Sci::SCI_GETENDSTYLED), pos); }
  void styleAll() { styleTo(send(Sci::SCI_GETLENGTH)); }
  long lineStart(int line) { return send(Sci::SCI_POSITIONFROMLINE, line); }
  long lineEnd(int line) { return send(Sci::SCI_GETLINEENDPOSITION, line); }
  void insertAt(long pos, const std::string& text) {
    view->SendScintilla(Sci::SCI_INSERTTEXT, static_cast<uintptr_t>(pos), text.c_str());
  }
  void caretTo(long pos) { send(Sci::SCI_GOTOPOS, pos); }
  // Styles of a byte range: digits for 0-9, '.' for the default style 32.
  std::string stylesOf(long from, long to) {
    std::string s;
    for (long p = from; p < to; p++) {
      int st = static_cast<int>(send(Sci::SCI_GETSTYLEAT, p));
      s += st == 32 ? '.' : st < 10 ? static_cast<char>('0' + st) : '?';
    }
    return s;
  }
  std::string stylesOfLine(int line) { return stylesOf(lineStart(line), lineEnd(line)); }
  int foldLevel(int line) { return static_cast<int>(send(Sci::SCI_GETFOLDLEVEL, line)); }

  std::unique_ptr<QWidget> parent;
  int gadget = 0;
  EditorRecord* rec = nullptr;
  Sci* view = nullptr;
};
