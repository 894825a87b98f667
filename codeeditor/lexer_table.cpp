// The lexer table of an editor: its entries (words, single characters and
// spans) with styles and flags, the operator characters, the number style,
// the options and the line styler.
#include "codeeditor/code_editor.h"

#include <algorithm>

namespace {

std::string trimSpaces(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

void reindex(EditorRecord* rec) {
  rec->entryIndex.clear();
  for (size_t i = 0; i < rec->entries.size(); i++)
    rec->entryIndex[lexerKey(rec, rec->entries[i].text)] = static_cast<int>(i);
  rec->delimitersDirty = true;
}

// Ascending by key. New entries go to the end of a list that is mostly
// sorted already, so only the unsorted tail is sorted and merged in.
void sortEntries(EditorRecord* rec) {
  std::vector<std::pair<std::string, LexerEntry>> keyed;
  keyed.reserve(rec->entries.size());
  for (LexerEntry& e : rec->entries) keyed.emplace_back(lexerKey(rec, e.text), std::move(e));
  auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
  auto tail = std::is_sorted_until(keyed.begin(), keyed.end(), byKey);
  std::stable_sort(tail, keyed.end(), byKey);
  std::inplace_merge(keyed.begin(), tail, keyed.end(), byKey);
  rec->entries.clear();
  for (auto& k : keyed) rec->entries.push_back(std::move(k.second));
  reindex(rec);
}

}  // namespace

std::string lexerKey(const EditorRecord* rec, const std::string& text) {
  if (rec->creationFlags & EDITOR_CASE_SENSITIVE) return text;
  std::string key = text;
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

int addLexerEntry(int gadget, const std::string& words, int style, int flags) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return 0;
  std::string text = trimSpaces(words);
  if (text.empty()) return 0;
  int count = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string field = text.substr(start, end - start);
    start = end + 1;
    if (field.empty()) continue;   // two spaces in a row
    std::string key = lexerKey(rec, field);
    auto it = rec->entryIndex.find(key);
    if (it != rec->entryIndex.end()) {
      LexerEntry& e = rec->entries[static_cast<size_t>(it->second)];
      e.text = field;
      if (style != -1) e.style = style;
      e.flags |= flags;
    } else {
      LexerEntry e;
      e.text = field;
      e.style = style;
      e.flags = flags;
      rec->entries.push_back(e);
      rec->entryIndex[key] = static_cast<int>(rec->entries.size() - 1);
    }
    count++;
  }
  rec->delimitersDirty = true;
  return count;
}

int addLexerWords(int gadget, const std::string& words, int style, int flags, int sort,
                  int restyle) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return 0;
  if (addLexerEntry(gadget, words, style, flags) == 0) return 0;
  if (sort) sortEntries(rec);
  if (restyle) restyleEditor(gadget, 0, -1, -1);
  return 0;
}

void sortLexerWords(int gadget) {
  if (EditorRecord* rec = editorRecord(gadget)) sortEntries(rec);
}

int addLexerSpan(int gadget, const std::string& opening, const std::string& closing, int flags,
                 int style, int restyle) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || opening.empty()) return 0;
  if ((flags & LEX_SPAN) && closing.empty()) return 0;
  if (addLexerEntry(gadget, opening, style, flags) == 0) return 0;
  if (flags & LEX_SPAN) {
    auto it = rec->entryIndex.find(lexerKey(rec, opening));
    if (it != rec->entryIndex.end())
      rec->entries[static_cast<size_t>(it->second)].closeChar = closing[0];
  }
  if (restyle) restyleEditor(gadget, 0, -1, -1);
  return 0;
}

int setLexerCharClass(int gadget, int charClass, const std::string& operators, int value) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return 0;
  bool changed = false;
  if (charClass == 1 && rec->operatorChars != operators) {
    rec->operatorChars = operators;
    rec->delimitersDirty = true;
    changed = true;
  } else if (charClass == 2 && rec->numberStyle != value) {
    rec->numberStyle = value;
    changed = true;
  }
  if (changed) restyleEditor(gadget, 0, -1, -1);
  return 0;
}

int setLexerOption(int gadget, int options) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return 0;
  int changed = (rec->options ^ options) & (LEXOPT_STYLING | LEXOPT_FOLDING);
  rec->options = options;
  if (changed) restyleEditor(gadget, 0, -1, -1);
  return 0;
}

LineStyler setLineStyler(int gadget, LineStyler styler) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return nullptr;
  LineStyler previous = rec->lineStyler;
  rec->lineStyler = styler;
  restyleEditor(gadget, 0, -1, -1);
  return previous;
}

const LexerEntry* lookupLexerWord(int gadget, const std::string& word) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return nullptr;
  std::string text = trimSpaces(word);
  if (text.empty()) return nullptr;
  auto it = rec->entryIndex.find(lexerKey(rec, text));
  return it == rec->entryIndex.end() ? nullptr : &rec->entries[static_cast<size_t>(it->second)];
}
