#include "codeeditor/code_editor.h"
#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using FontFunctionWindows = ShellTest;

TEST_F(FontFunctionWindows, FontDoneChecksNameThenSize) {
  startMainWindow();
  std::string font = newFont(), other = newFont();
  const std::string own = "<own>";
  struct Case {
    std::string typed;
    std::string size;
    std::vector<std::string> messages;
    std::string nameAfter;
    int sizeAfter;
  } cases[] = {
      {"", "0", {"The font name is missing"}, font, 12},
      {other, "0", {"The font name '" + other + "' already exists", "The font size '0' is invalid"}, font, 12},
      {"title", "0", {"The font size '0' is invalid"}, "title", 12},   // the rename stays
      {own, "1", {}, "title", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed + " " + c.size);
    std::string current = fonts[0].name;
    driverSetText("name", c.typed == own ? current : c.typed);
    driverSetText("size", c.size);
    driverClick("Done");
    for (const std::string& m : c.messages) driverAnswerMessage("Error", m);
    if (!c.messages.empty()) {
      driverCall([&] { EXPECT_EQ(fonts[0].name, c.nameAfter); });
      driverSetText("name", c.nameAfter);
      driverSetText("size", "12");
      driverClick("Done");
    }
    editFont(current);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(fonts[0].name, c.nameAfter);
    EXPECT_EQ(fonts[0].size, c.sizeAfter);
  }
}

TEST_F(FontFunctionWindows, FontFieldsAreWrittenOnDone) {
  startMainWindow();
  std::string font = newFont();
  driverCall([] {
    int w = windowWith("size");
    EXPECT_EQ(getGadgetText(gadgetByName(w, "family")), "Arial");
    EXPECT_EQ(getGadgetText(gadgetByName(w, "size")), "12");
    EXPECT_TRUE(windowShowsText(w, "Italic", 10, 145));
  });
  driverSetText("family", "Courier New");
  driverSetText("size", "20");
  driverCheck("bold", true);
  driverCheck("italic", true);
  driverClick("Done");
  editFont(font);
  EXPECT_EQ(fonts[0].family, "Courier New");
  EXPECT_EQ(fonts[0].size, 20);
  EXPECT_EQ(fonts[0].bold, 1);
  EXPECT_EQ(fonts[0].italic, 1);
}

TEST_F(FontFunctionWindows, FunctionKeepsItsDescription) {
  startMainWindow();
  std::string fn = newFunction();
  fns[0].description = "kept";
  fns[0].code = "return 1;";
  setModified(0);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(windowWith("code"), "code")), "return 1;"); });
  driverSetText("params", "a, b");
  driverSetText("code", "");
  driverSetText("name", "add");
  driverClick("Done");
  editFunction(fn);
  EXPECT_EQ(fns[0].name, "add");
  EXPECT_EQ(fns[0].params, "a, b");
  EXPECT_EQ(fns[0].code, "");
  EXPECT_EQ(fns[0].description, "kept");
  EXPECT_EQ(modifiedFlag, 1);
}

// A name the game cannot hold is refused in every property window; a saved
// project's name that breaks the rule still lets its window be left.
TEST_F(FontFunctionWindows, NamesThatBreakTheGameAreRefused) {
  startMainWindow();
  struct Case {
    std::string (*make)();
    void (*edit)(const std::string&);
  } cases[] = {{newSprite, editSprite}, {newSound, editSound},   {newMusic, editMusic},
               {newBackground, editBackground}, {newFont, editFont}, {newObject, editObject},
               {newFunction, editFunction}};
  std::string sprite = sprites.empty() ? newSprite() : sprites[0].name;
  for (const Case& c : cases) {
    std::string name = c.make();
    SCOPED_TRACE(name);
    for (auto [bad, why] : {std::pair{"my sprite", "is not a JavaScript name (letters, digits, _ and $, not "
                                                      "starting with a digit)"},
                            {"new", "is a word of JavaScript or of the game"},
                            {"name", "is already a name of the browser's window"},
                            {"vk_left", "begins with 'vk_', which the game keeps for its own names"}}) {
      driverSetText("name", bad);
      driverClick("Done");
      driverAnswerMessage("Error", "The name '" + std::string(bad) + "' " + why);
    }
    if (c.edit != editSprite) {
      driverSetText("name", sprite);   // another kind's name
      driverClick("Done");
      driverAnswerMessage("Error", "The name '" + sprite + "' is already the name of the sprite '" + sprite + "'");
    }
    driverSetText("name", name);
    driverClick("Done");
    c.edit(name);
    EXPECT_TRUE(driverCheckDone());
  }
  fonts[0].name = "new";   // from an older project
  driverClick("Done");
  editFont("new");
  EXPECT_EQ(fonts[0].name, "new");
}

// Deleting a function frees its code field with the window.
TEST_F(FontFunctionWindows, FunctionDeleteFreesItsCodeField) {
  startMainWindow();
  std::string fn = newFunction();
  int code = 0;
  driverCall([&] { code = gadgetByName(windowWith("code"), "code"); });
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Do you really want to delete this function?", MSG_RESULT_YES);
  editFunction(fn);
  EXPECT_TRUE(fns.empty());
  EXPECT_NE(code, 0);
  EXPECT_EQ(editorRecord(code), nullptr);
}
