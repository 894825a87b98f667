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
