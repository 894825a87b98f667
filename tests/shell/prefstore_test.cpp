#include <gtest/gtest.h>

#include "shell/prefstore.h"
#include "tests/support/temp_folder.h"

TEST(PrefStore, NumberOfAText) {
  struct Case { const char* text; int value; } cases[] = {
      {"42", 42}, {"  \t-17x", -17}, {"+8", 8}, {"", 0}, {"abc", 0}, {"- 5", 0},
      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"12 34", 12}, {"$ff", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(preferenceNumber(c.text), c.value) << c.text;
}

TEST(PrefStore, WriteBackKeepsCommentsUnknownKeysAndOrder) {
  TempFolder t;
  writeFile("p.dat",
            "stray = 1\r\n"
            "  [Code editor] trailing text\r\n"
            "; a comment\r\n"
            "\r\n"
            "SCI_COLOR_FORE\t=  77  \r"
            "mystery = keep me\n"
            "[Misc]\n"
            ";no blank\n"
            "ConfirmExit = 1\n"
            "[code EDITOR]\n"
            "sci_color_caret = 5\n");
  ASSERT_TRUE(openPreferences("p.dat"));
  preferenceGroup("code editor");
  EXPECT_EQ(readPreferenceInt("sci_color_fore", -1), 77);
  EXPECT_EQ(readPreferenceString("mystery", ""), "keep me");
  EXPECT_EQ(readPreferenceInt("sci_color_caret", -1), -1);   // the second group line does not count
  EXPECT_EQ(readPreferenceInt("stray", -1), -1);             // keys before any group belong to none
  writePreferenceInt("sci_color_fore", 3);
  writePreferenceString("sci_font_family", "Mono\r\nInjected = 1");
  preferenceGroup("Misc");
  writePreferenceInt("ConfirmExit", 0);
  writePreferenceInt("GenerateIndexHTML", 1);
  preferenceGroup("Export");
  writePreferenceString("ImgFolder", "img");
  ASSERT_TRUE(closePreferences());
  EXPECT_EQ(TempFolder::read("p.dat"),
            "\xEF\xBB\xBF\n"
            "stray = 1\n"
            "[Code editor]\n"
            "; a comment\n"
            "SCI_COLOR_FORE = 3\n"
            "mystery = keep me\n"
            "sci_font_family = MonoInjected = 1\n"
            "[Misc]\n"
            "; no blank\n"
            "ConfirmExit = 0\n"
            "GenerateIndexHTML = 1\n"
            "[code EDITOR]\n"
            "sci_color_caret = 5\n"
            "[Export]\n"
            "ImgFolder = img\n");
}

TEST(PrefStore, EncodingFollowsTheByteOrderMark) {
  TempFolder t;
  writeFile("latin.dat", "[Export]\nImgFolder = caf\xE9\n");
  writeFile("utf8.dat", "\xEF\xBB\xBF[Export]\nImgFolder = caf\xC3\xA9\n");
  for (const char* file : {"latin.dat", "utf8.dat"}) {
    ASSERT_TRUE(openPreferences(file));
    preferenceGroup("Export");
    EXPECT_EQ(readPreferenceString("ImgFolder", ""), "caf\xC3\xA9") << file;
    writePreferenceString("AudFolder", "aud");
    closePreferences();
    EXPECT_EQ(TempFolder::read(file), "\xEF\xBB\xBF\n[Export]\nImgFolder = caf\xC3\xA9\nAudFolder = aud\n")
        << file;
  }
}

TEST(PrefStore, NewFileHasNoByteOrderMarkAndReadOnlyWritesNothing) {
  TempFolder t;
  ASSERT_TRUE(createPreferences("n.dat"));
  closePreferences();
  ASSERT_TRUE(openPreferences("n.dat"));
  preferenceGroup("Misc");
  writePreferenceInt("ConfirmExit", 1);
  closePreferences();
  EXPECT_EQ(TempFolder::read("n.dat"), "[Misc]\nConfirmExit = 1\n");

  ASSERT_TRUE(openPreferences("n.dat"));
  preferenceGroup("Misc");
  EXPECT_EQ(readPreferenceInt("confirmexit", 9), 1);
  closePreferences();
  EXPECT_EQ(TempFolder::read("n.dat"), "[Misc]\nConfirmExit = 1\n");
  EXPECT_FALSE(openPreferences("missing.dat"));
}

TEST(PrefStore, DamagedFileReadsWithoutHarm) {
  TempFolder t;
  std::string bytes = "[Misc]\n";
  for (int i = 0; i < 256; ++i) bytes += char(i);
  bytes += "\nConfirmExit = 0\n";
  bytes += std::string(300000, 'x') + " = " + std::string(300000, 'y') + "\n";
  bytes += "[Unclosed\nkey = 2\n=\n[]\n";
  writeFile("d.dat", bytes);
  ASSERT_TRUE(openPreferences("d.dat"));
  preferenceGroup("Misc");
  EXPECT_EQ(readPreferenceInt("ConfirmExit", 5), 0);
  EXPECT_EQ(readPreferenceInt("GenerateIndexHTML", 5), 5);
  preferenceGroup("Unclosed");
  EXPECT_EQ(readPreferenceInt("key", 0), 2);
  writePreferenceInt("key", 3);
  EXPECT_TRUE(closePreferences());
  ASSERT_TRUE(openPreferences("d.dat"));
  preferenceGroup("Misc");
  EXPECT_EQ(readPreferenceInt("ConfirmExit", 5), 0);
  preferenceGroup("Unclosed");
  EXPECT_EQ(readPreferenceInt("key", 0), 3);
  closePreferences();
}
