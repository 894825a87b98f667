// The completion list of the registered words while typing, and the
// identifier of the table at the caret for the code windows' help lines.
#include "codeeditor/code_editor.h"
#include "codeeditor/keywords.h"

#include <Qsci/qsciscintillabase.h>
#include <QGuiApplication>
#include <QScreen>

using Sci = QsciScintillaBase;

namespace {

int utf8Characters(const std::string& text) {
  int count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) count++;
  return count;
}

void closeList(EditorRecord* rec) {
  if (sendEditor(rec, Sci::SCI_AUTOCACTIVE)) sendEditor(rec, Sci::SCI_AUTOCCANCEL);
}

bool isWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The view places the list by the screen under the word's start and fails
// when no screen is there (a window dragged partly off the desktop).
bool onAScreen(EditorRecord* rec, long position) {
  QPoint at(static_cast<int>(sendEditor(rec, Sci::SCI_POINTXFROMPOSITION, 0, position)),
            static_cast<int>(sendEditor(rec, Sci::SCI_POINTYFROMPOSITION, 0, position)));
  return QGuiApplication::screenAt(rec->view->viewport()->mapToGlobal(at)) != nullptr;
}

}  // namespace

void updateAutoComplete(EditorRecord* rec) {
  if (!rec || !rec->view) return;
  long size = sendEditor(rec, Sci::SCI_GETCURLINE);
  bool shown = false;
  if (size > 0 && (rec->options & LEXOPT_COMPLETION)) {
    std::string line(static_cast<size_t>(size) + 1, '\0');
    long caret = sendEditorText(rec, Sci::SCI_GETCURLINE, static_cast<unsigned long>(size),
                                line.data());
    line.resize(static_cast<size_t>(size - 1));
    if (caret > static_cast<long>(line.size())) caret = static_cast<long>(line.size());
    int start = 0;
    int length = 0;
    const int total = static_cast<int>(line.size());
    while (start < total) {
      length = classifyToken(rec, line.data() + start, total - start, true);
      if (length <= 0 || start + length >= caret) break;
      start += length;
    }
    std::string typed = start < total ? line.substr(static_cast<size_t>(start),
                                                    static_cast<size_t>(length))
                                      : std::string();
    // Inside a word the view would replace only the part before the caret and
    // leave the rest after the chosen word: no list there.
    const bool endsAtCaret = start + length <= caret;
    if (endsAtCaret && utf8Characters(typed) >= rec->minCompletionLength) {
      std::string key = lexerKey(rec, typed);
      std::string list;
      for (const LexerEntry& e : rec->entries) {
        if (!(e.flags & LEX_WORD)) continue;
        if (lexerKey(rec, e.text).compare(0, key.size(), key) != 0) continue;
        if (!list.empty()) list += ' ';
        list += e.text;
      }
      // Only the bytes before the caret count as entered: the view replaces
      // them when a word is chosen, and must never reach before the line.
      long entered = caret - start;
      if (!list.empty() && lexerKey(rec, list) != key && entered >= 0 &&
          onAScreen(rec, sendEditor(rec, Sci::SCI_GETCURRENTPOS) - entered)) {
        sendEditorText(rec, Sci::SCI_AUTOCSHOW, static_cast<unsigned long>(entered), list.c_str());
        shown = true;
      }
    }
  }
  if (!shown) closeList(rec);
  sendEditor(rec, Sci::SCI_CALLTIPCANCEL);
}

void onCompletionChosen(EditorRecord* rec, const char* entry, long start, int method) {
  if (!rec || !entry || method != Sci::SC_AC_NEWLINE) return;
  const long caret = sendEditor(rec, Sci::SCI_GETCURRENTPOS);
  const std::string chosen = entry;
  if (caret - start != static_cast<long>(chosen.size())) return;
  for (size_t i = 0; i < chosen.size(); i++)
    if (static_cast<char>(sendEditor(rec, Sci::SCI_GETCHARAT, start + static_cast<long>(i))) != chosen[i]) return;
  // The word is already there: taking it would only swallow the Enter.
  // Cancelling here keeps the view from putting it in again.
  sendEditor(rec, Sci::SCI_AUTOCCANCEL);
  sendEditor(rec, Sci::SCI_NEWLINE);
}

void onCompletionInserted(EditorRecord* rec) {
  // Putting the entry in replaced the entered word, a deletion that would
  // open the list again at once; it waits for the next typed character.
  if (rec) rec->deletedSince = false;
}

int keywordAtCaret(int gadget) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return -1;
  long caret = sendEditor(rec, Sci::SCI_GETCURRENTPOS);
  long line = sendEditor(rec, Sci::SCI_LINEFROMPOSITION, caret);
  long offset = caret - sendEditor(rec, Sci::SCI_POSITIONFROMLINE, line);
  std::string text = getEditorLine(gadget, static_cast<int>(line));
  const long n = static_cast<long>(text.size());
  // Word characters are ASCII, so bytes stand for characters here. With the
  // caret right after a word, that word is meant.
  long start;
  if (offset >= 0 && offset < n && isWordChar(text[static_cast<size_t>(offset)])) start = offset;
  else if (offset > 0 && offset <= n && isWordChar(text[static_cast<size_t>(offset - 1)])) start = offset - 1;
  else return -1;
  while (start > 0 && isWordChar(text[static_cast<size_t>(start - 1)])) start--;
  long end = start;
  while (end < n && isWordChar(text[static_cast<size_t>(end)])) end++;
  std::string word = text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  if (word.empty()) return -1;
  for (size_t i = 0; i < keywords.size(); i++)
    if (keywords[i].word == word && !keywords[i].hintLine1.empty()) return static_cast<int>(i);
  return -1;
}
