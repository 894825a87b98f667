// keywords.dat and the key-code constants.
#include "codeeditor/keywords.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class KeywordsFile : public testing::Test {
 protected:
  void SetUp() override {
    old = fs::current_path();
    dir = fs::temp_directory_path() / ("zm_keywords_" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    keywords.clear();
  }
  void TearDown() override {
    fs::current_path(old);
    fs::remove_all(dir);
  }
  void write(const std::string& bytes) {
    std::ofstream("keywords.dat", std::ios::binary) << bytes;
  }
  fs::path old, dir;
};

struct Expected {
  std::string word, kind, hint1, hint2;
};

TEST_F(KeywordsFile, Records) {
  struct Case {
    const char* name;
    std::string file;
    std::vector<Expected> records;
  };
  const Case cases[] = {
      {"three kinds", ".a\nva\nvb\n!f\nfa\nfb\n#c\nca\ncb\n",
       {{"a", "Var", "va", "vb"}, {"f", "Fn", "fa", "fb"}, {"c", "Cons", "ca", "cb"}}},
      {"four lines", ".alpha\nh1\nh2\n!beta\n", {{"alpha", "Var", "h1", "h2"}, {"beta", "Fn", "", ""}}},
      {"cut inside a help line", ".a\nh1", {{"a", "Var", "h1", ""}}},
      {"no line end at all", "#k", {{"k", "Cons", "", ""}}},
      {"marker only", "#\nh\ni\n", {{"", "Cons", "h", "i"}}},
      {"unknown marker skips three lines", "xbad\n.no\n!no\n.ok\nc\nd", {{"ok", "Var", "c", "d"}}},
      {"empty first line skips three", "\n.x\ny\n.z\n1\n2", {{"z", "Var", "1", "2"}}},
      {"CR LF lines", ".a\r\nb c\r\nd\r\n", {{"a", "Var", "b c", "d"}}},
      {"twice", "!f\n1\n2\n!f\n3\n4\n", {{"f", "Fn", "1", "2"}, {"f", "Fn", "3", "4"}}},
      {"UTF-8 help", ".x\n\xC3\xA9\n\n", {{"x", "Var", "\xC3\xA9", ""}}},
      {"byte-order mark", "\xEF\xBB\xBF.x\na\nb\n.\xEF\xBB\xBFy\nc\nd\n",
       {{"x", "Var", "a", "b"}, {"\xEF\xBB\xBFy", "Var", "c", "d"}}},   // only at the start of the file
  };
  for (const Case& c : cases) {
    keywords.clear();
    write(c.file);
    loadKeywords();
    ASSERT_EQ(keywords.size(), c.records.size()) << c.name;
    for (size_t i = 0; i < c.records.size(); i++) {
      EXPECT_EQ(keywords[i].word, c.records[i].word) << c.name;
      EXPECT_EQ(keywords[i].kind, c.records[i].kind) << c.name;
      EXPECT_EQ(keywords[i].hintLine1, c.records[i].hint1) << c.name;
      EXPECT_EQ(keywords[i].hintLine2, c.records[i].hint2) << c.name;
    }
  }
}

TEST_F(KeywordsFile, MissingOrEmptyLeavesTheTable) {
  addKeyword("kept", "Var", "a", "b");
  loadKeywords();
  EXPECT_EQ(keywords.size(), 1u);
  write("");
  loadKeywords();
  EXPECT_EQ(keywords.size(), 1u);
}

TEST_F(KeywordsFile, KeyCodeConstantsAreAppendedInOrder) {
  addKeyword("first", "Fn", "x", "y");
  addKeyCodeConstants();
  ASSERT_EQ(keywords.size(), 83u);
  EXPECT_EQ(keywords[1].word, "vk_0");
  EXPECT_EQ(keywords[11].word, "vk_a");
  EXPECT_EQ(keywords[28].word, "vk_f1");
  EXPECT_EQ(keywords[29].word, "vk_f10");
  EXPECT_EQ(keywords[32].word, "vk_f2");
  EXPECT_EQ(keywords[48].word, "vk_left");
  EXPECT_EQ(keywords[82].word, "vk_z");
  for (size_t i = 1; i < keywords.size(); i++) {
    EXPECT_EQ(keywords[i].kind, "Cons");
    EXPECT_TRUE(keywords[i].hintLine1.empty() && keywords[i].hintLine2.empty());
  }
}

}  // namespace
