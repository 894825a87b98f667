#include <gtest/gtest.h>

#include "shell/preferences.h"
#include "shell/settings.h"
#include "tests/support/temp_folder.h"

namespace {

const char* const freshFile =
    "[Code editor]\n"
    "sci_color_fore = 0\n"
    "sci_color_selection_back = 4194304\n"
    "sci_color_selection_fore = 16777215\n"
    "sci_color_command = 14888246\n"
    "sci_color_comment = 10526880\n"
    "sci_color_function = 2335523\n"
    "sci_color_number = 4210896\n"
    "sci_color_resource = 12298801\n"
    "sci_color_string = 12976326\n"
    "sci_color_zm_constant = 3947580\n"
    "sci_color_zm_function = 2255392\n"
    "sci_color_zm_variable = 1265745\n"
    "sci_color_caret = 15790335\n"
    "sci_font_family = Consolas\n"
    "sci_font_size = 11\n"
    "x = -1\n"
    "y = -1\n"
    "width = -1\n"
    "height = -1\n"
    "maximized = -1\n"
    "[Browser]\n"
    "add_file_protocol = 0\n"
    "[Misc]\n"
    "CheckProgramVersion = 1\n"
    "GenerateIndexHTML = 1\n"
    "ConfirmExit = 1\n"
    "[Export]\n"
    "ImgFolder = img\n"
    "AudFolder = aud\n";

}  // namespace

TEST(Preferences, MissingFileIsMadeFromTheInitialValues) {
  TempFolder t;
  initGlobals();
  loadPreferences();
  EXPECT_EQ(TempFolder::read("preferences.dat"), freshFile);
  EXPECT_EQ(fileKind("Extensions"), FILE_FOLDER);
  EXPECT_EQ(fileKind("Projects"), FILE_FOLDER);
  EXPECT_EQ(sciColorSelectionBack, 4194304);
  EXPECT_EQ(sciFontFamily, "Consolas");
}

TEST(Preferences, MissingKeysReadTheirDefaults) {
  TempFolder t;
  writeFile("preferences.dat",
            "[Code editor]\nsci_font_size = big\n[Misc]\nSCI_COLOR_CARET = 1\nconfirmexit = 0\n"
            "[Export]\nImgFolder = ..\nAudFolder = sounds\n");
  initGlobals();
  sciColorFore = 123;
  sciColorCaret = 456;
  checkVersionAtStart = 0;
  loadPreferences();
  EXPECT_EQ(sciColorFore, 0);                 // black, not the value in memory
  EXPECT_EQ(sciColorFunction, 10526880);      // grey, not the initial green
  EXPECT_EQ(sciColorSelectionBack, 4194304);
  EXPECT_EQ(sciColorCaret, 15790335);         // under the wrong group: not found
  EXPECT_EQ(sciFontSize, 0);
  EXPECT_EQ(confirmExitFlag, 0);
  EXPECT_EQ(checkVersionAtStart, 1);
  EXPECT_EQ(imgFolder, "img");                // an unsafe folder name gives way
  EXPECT_EQ(audFolder, "sounds");
}

namespace {

// Every key with its group and the value a file without it reads, in the
// order of the file.
struct KeyDefault {
  const char* group;
  const char* key;
  int* number;         // one of the two is set
  std::string* text;
  const char* missing;
};

const KeyDefault keyDefaults[] = {
    {"Code editor", "sci_color_fore", &sciColorFore, nullptr, "0"},
    {"Code editor", "sci_color_selection_back", &sciColorSelectionBack, nullptr, "4194304"},
    {"Code editor", "sci_color_selection_fore", &sciColorSelectionFore, nullptr, "16777215"},
    {"Code editor", "sci_color_command", &sciColorCommand, nullptr, "14888246"},
    {"Code editor", "sci_color_comment", &sciColorComment, nullptr, "10526880"},
    {"Code editor", "sci_color_function", &sciColorFunction, nullptr, "10526880"},
    {"Code editor", "sci_color_number", &sciColorNumber, nullptr, "4210896"},
    {"Code editor", "sci_color_resource", &sciColorResource, nullptr, "12298801"},
    {"Code editor", "sci_color_string", &sciColorString, nullptr, "12976326"},
    {"Code editor", "sci_color_zm_constant", &sciColorZmConstant, nullptr, "3947580"},
    {"Code editor", "sci_color_zm_function", &sciColorZmFunction, nullptr, "2255392"},
    {"Code editor", "sci_color_zm_variable", &sciColorZmVariable, nullptr, "1265745"},
    {"Code editor", "sci_color_caret", &sciColorCaret, nullptr, "15790335"},
    {"Code editor", "sci_font_family", nullptr, &sciFontFamily, "Consolas"},
    {"Code editor", "sci_font_size", &sciFontSize, nullptr, "11"},
    {"Code editor", "x", &codeWindowX, nullptr, "-1"},
    {"Code editor", "y", &codeWindowY, nullptr, "-1"},
    {"Code editor", "width", &codeWindowWidth, nullptr, "-1"},
    {"Code editor", "height", &codeWindowHeight, nullptr, "-1"},
    {"Code editor", "maximized", &codeWindowMaximized, nullptr, "-1"},
    {"Browser", "add_file_protocol", &addFileProtocol, nullptr, "0"},
    {"Misc", "CheckProgramVersion", &checkVersionAtStart, nullptr, "1"},
    {"Misc", "GenerateIndexHTML", &generateIndexHtml, nullptr, "1"},
    {"Misc", "ConfirmExit", &confirmExitFlag, nullptr, "1"},
    {"Export", "ImgFolder", nullptr, &imgFolder, "img"},
    {"Export", "AudFolder", nullptr, &audFolder, "aud"},
};

std::string valueOf(const KeyDefault& k) { return k.number ? std::to_string(*k.number) : *k.text; }

}  // namespace

// Each key in turn missing from a file that holds all the others (as 7 or
// "other"), over values in memory that neither the file nor a default has.
TEST(Preferences, EachMissingKeyReadsItsDefault) {
  TempFolder t;
  for (const KeyDefault& missing : keyDefaults) {
    std::string file, group;
    for (const KeyDefault& k : keyDefaults) {
      if (k.group != group) file += "[" + (group = k.group) + "]\n";
      if (&k != &missing) file += std::string(k.key) + " = " + (k.number ? "7" : "other") + "\n";
    }
    writeFile("preferences.dat", file);
    for (const KeyDefault& k : keyDefaults) {
      if (k.number) *k.number = 9;
      else *k.text = "memory";
    }
    loadPreferences();
    for (const KeyDefault& k : keyDefaults)
      EXPECT_EQ(valueOf(k), &k == &missing ? k.missing : k.number ? "7" : "other")
          << k.key << " with " << missing.key << " missing";
  }
}

TEST(Preferences, SaveKeepsHandEditsAndSurvivesAReload) {
  TempFolder t;
  writeFile("preferences.dat", "; mine\n[Misc]\nConfirmExit = 0\nExtra = yes\n\n[Other]\nk = v\n");
  initGlobals();
  loadPreferences();
  sciColorSelectionBack = 255;
  codeWindowWidth = 640;
  savePreferences();
  std::string text = TempFolder::read("preferences.dat");
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF\n; mine\n[Misc]\nConfirmExit = 0\nExtra = yes\n"
                       "CheckProgramVersion = 1\nGenerateIndexHTML = 1\n[Other]\nk = v\n[Code editor]\n", 0),
            0u) << text;
  initGlobals();
  loadPreferences();
  EXPECT_EQ(sciColorSelectionBack, 255);
  EXPECT_EQ(codeWindowWidth, 640);
  EXPECT_EQ(confirmExitFlag, 0);
}

TEST(Preferences, SafeNames) {
  struct Case { std::string name; bool safe; } cases[] = {
      {"img", true}, {"my game", true}, {"..a", true}, {"", false}, {".", false}, {"..", false},
      {"a/b", false}, {"/", false}, {std::string("a\0b", 3), false},
  };
  for (const Case& c : cases) EXPECT_EQ(isSafeName(c.name), c.safe) << c.name;
}
