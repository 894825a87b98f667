// The documents the viewer carries: each one reads, and together they name
// every function, variable and constant the game runtime offers, so that
// they cannot drift from keywords.dat and export.js unnoticed.
#include "help/help_documents.h"
#include "help/help_viewer.h"
#include "ui/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// keywords.dat: name -> kind ("Fn", "Var", "Cons").
std::map<std::string, std::string> keywordKinds() {
  std::istringstream in(readWhole(ZM_SOURCE_DIR "/data/keywords.dat"));
  std::map<std::string, std::string> kinds;
  std::string head, a, b;
  while (std::getline(in, head)) {
    std::getline(in, a);
    std::getline(in, b);
    if (head.empty()) continue;
    if (head[0] == '!') kinds[head.substr(1)] = "Fn";
    else if (head[0] == '.') kinds[head.substr(1)] = "Var";
    else if (head[0] == '#') kinds[head.substr(1)] = "Cons";
  }
  return kinds;
}

bool isWordChar(char c) { return isalnum((unsigned char)c) || c == '_'; }

// Every identifier in `text` that starts with `prefix` (a whole word), is
// followed by `after`, and, with `lineStart`, stands at the start of a line.
std::set<std::string> identifiers(const std::string& text, const std::string& prefix, const std::string& after,
                                  bool lineStart = false) {
  std::set<std::string> found;
  for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
    if (at > 0 && isWordChar(text[at - 1])) continue;
    size_t begin = at, end = at + prefix.size();
    if (lineStart) {
      if (at > 0 && text[at - 1] != '\n') continue;
      begin = end;
    }
    if (begin < text.size() && isdigit((unsigned char)text[begin])) continue;
    while (end < text.size() && isWordChar(text[end])) ++end;
    if (end > begin && text.compare(end, after.size(), after) == 0) found.insert(text.substr(begin, end - begin));
  }
  return found;
}

RtfDocument topic(int n) {
  RtfDocument doc;
  EXPECT_TRUE(parseRtf(helpDocuments[n].bytes, helpDocuments[n].length, doc)) << "topic " << n;
  return doc;
}

bool hasWord(const std::string& text, const std::string& word) {
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    bool before = at > 0 && isWordChar(text[at - 1]);
    bool after = at + word.size() < text.size() && isWordChar(text[at + word.size()]);
    if (!before && !after) return true;
  }
  return false;
}

// Signature lines: paragraphs set wholly in bold code font.
std::vector<std::string> signatures(const RtfDocument& doc) {
  std::vector<std::string> out;
  for (const RtfParagraph& p : doc.paragraphs) {
    if (p.runs.empty()) continue;
    bool all = true;
    std::string text;
    for (const RtfRun& r : p.runs) {
      const RtfFont* f = findRtfFont(doc, r.format.font);
      all = all && r.format.bold && f && f->family == RTF_FAMILY_MODERN;
      text += r.text;
    }
    if (all) out.push_back(text);
  }
  return out;
}

}  // namespace

TEST(HelpDocuments, EveryTopicReadsAndOpensWithItsTitle) {
  ASSERT_EQ(helpDocumentCount, HELP_TOPIC_COUNT);
  for (int n = 0; n < HELP_TOPIC_COUNT; ++n) {
    std::string head(helpDocuments[n].bytes, std::min<size_t>(helpDocuments[n].length, 23));
    EXPECT_EQ(head, "{\\rtf1\\ansi\\ansicpg1252") << n;
    RtfDocument doc = topic(n);
    ASSERT_GT(doc.paragraphs.size(), 3u) << n;
    std::string title = doc.paragraphs[0].runs.empty() ? "" : doc.paragraphs[0].runs[0].text;
    EXPECT_EQ(title.rfind(helpTopicTitles[n], 0), 0u) << n << ": " << title;
  }
}

TEST(HelpDocuments, EveryRuntimeNameIsDocumented) {
  std::string reference;
  std::vector<std::string> sigs;
  for (int n = 1; n < HELP_TOPIC_COUNT; ++n) {
    RtfDocument doc = topic(n);
    reference += rtfPlainText(doc);
    for (const std::string& s : signatures(doc)) sigs.push_back(s);
  }
  std::map<std::string, std::string> kinds = keywordKinds();
  ASSERT_GT(kinds.size(), 150u);
  std::string runtime = readWhole(ZM_RUNTIME_TEMPLATE);
  std::set<std::string> keyCodes = identifiers(runtime, "vk_", " = ");
  ASSERT_EQ(keyCodes.size(), 82u);
  // The runtime's own script functions, whether keywords.dat lists them or not.
  std::set<std::string> functions = identifiers(runtime, "function ", "(", true);
  std::erase_if(functions, [](const std::string& f) { return f.rfind("zm_", 0) == 0 || f.rfind("on_", 0) == 0 || f[0] == '_'; });
  ASSERT_GT(functions.size(), 80u);

  for (const auto& [name, kind] : kinds) EXPECT_TRUE(hasWord(reference, name)) << kind << " " << name;
  for (const std::string& k : keyCodes) EXPECT_TRUE(hasWord(reference, k)) << k;
  std::set<std::string> withSignature;
  for (const std::string& s : sigs)
    for (const std::string& called : identifiers(s, "", "(")) {
      withSignature.insert(called);
      EXPECT_EQ(kinds.count(called) ? kinds[called] : "", "Fn") << "signature \"" << s << "\" names an unknown function " << called;
    }
  for (const std::string& f : functions) EXPECT_TRUE(withSignature.count(f)) << "no signature for " << f;
  for (const auto& [name, kind] : kinds)
    EXPECT_TRUE(kind != "Fn" || withSignature.count(name)) << "no signature for " << name;
}
