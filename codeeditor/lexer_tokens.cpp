// One token at a time: spaces, delimiters, spans, numbers and words, styled
// from the lexer table, with the fold level change of fold braces.
#include "codeeditor/code_editor.h"

#include <Qsci/qsciscintillabase.h>

using Sci = QsciScintillaBase;

namespace {

constexpr int NOT_DELIMITER = -2;
constexpr int NO_ENTRY = -1;

void refreshDelimiters(EditorRecord* rec) {
  if (!rec->delimitersDirty) return;
  for (int& d : rec->delimiter) d = NOT_DELIMITER;
  for (unsigned char c : rec->operatorChars) rec->delimiter[c] = NO_ENTRY;
  rec->delimiter['\r'] = NO_ENTRY;
  rec->delimiter['\n'] = NO_ENTRY;
  for (int c = 0; c < 256; c++) {
    if (c == '\r' || c == '\n') continue;
    std::string key = lexerKey(rec, std::string(1, static_cast<char>(c)));
    auto it = rec->entryIndex.find(key);
    if (it == rec->entryIndex.end()) continue;
    const LexerEntry& e = rec->entries[static_cast<size_t>(it->second)];
    if (e.flags & (LEX_SPAN | LEX_CALL_SUFFIX)) rec->delimiter[c] = it->second;
    else if (rec->delimiter[c] == NO_ENTRY) rec->delimiter[c] = it->second;
  }
  rec->delimitersDirty = false;
}

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline int delimiterOf(const EditorRecord* rec, char c) {
  return rec->delimiter[static_cast<unsigned char>(c)];
}
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits and at most one point up to a blank, a delimiter or the end; the
// length scanned, 0 when there is no number there.
int matchLexerToken(const EditorRecord* rec, const char* text, int length, int& digits) {
  digits = 0;
  bool point = false;
  int i = 0;
  for (; i < length; i++) {
    char c = text[i];
    if (isDigit(c)) {
      digits++;
    } else if (c == '.') {
      if (point) return 0;
      point = true;
    } else if (isBlank(c) || delimiterOf(rec, c) != NOT_DELIMITER) {
      break;
    } else {
      return 0;
    }
  }
  return i;
}

int utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

const LexerEntry* findKey(const EditorRecord* rec, const std::string& text) {
  auto it = rec->entryIndex.find(lexerKey(rec, text));
  return it == rec->entryIndex.end() ? nullptr : &rec->entries[static_cast<size_t>(it->second)];
}

}  // namespace

void styleBytes(EditorRecord* rec, long length, int style) {
  if (!rec || !rec->restyling) return;
  long room = rec->styleLimit - rec->stylePos;
  if (length > room) length = room;
  if (length <= 0) return;
  rec->stylePos += length;
  if (style == rec->pendingStyle) {
    rec->pendingLength += length;
    return;
  }
  if (rec->pendingLength > 0)
    sendEditor(rec, Sci::SCI_SETSTYLING, static_cast<unsigned long>(rec->pendingLength),
               rec->pendingStyle);
  rec->pendingStyle = style;
  rec->pendingLength = length;
}

void styleBytes(int gadget, int length, int style) { styleBytes(editorRecord(gadget), length, style); }

int classifyToken(EditorRecord* rec, const char* text, int length, bool measuring) {
  if (length <= 0) return 0;
  refreshDelimiters(rec);
  int len = 1;
  int style = STYLE_DEFAULT_TEXT;
  const LexerEntry* whole = nullptr;
  char first = text[0];
  int delim = delimiterOf(rec, first);
  int digits = 0;
  if (isBlank(first)) {
    while (len < length && isBlank(text[len])) len++;
  } else if (delim != NOT_DELIMITER) {
    const LexerEntry* e = delim >= 0 ? &rec->entries[static_cast<size_t>(delim)] : nullptr;
    int scanned = 0;
    if (first == '.' && (scanned = matchLexerToken(rec, text, length, digits)) > 0 && digits > 0) {
      len = scanned;
      style = rec->numberStyle;
    } else {
      whole = e;
      if (e) style = e->style;
      if (e && (e->flags & LEX_SPAN) && length > 1) {
        int depth = 1;
        char close = e->closeChar;
        while (len < length) {
          char c = text[len];
          if (c == '\r' || c == '\n') break;
          len++;
          // A backslash takes the next character into the span, so "\'" and
          // "\\" close nothing; a line end still ends the span before itself.
          if (c == '\\') {
            if (len < length && text[len] != '\r' && text[len] != '\n') len++;
          } else if (c == close) {
            if (--depth == 0) break;
          } else if (c == first && close != first) {
            depth++;
          }
        }
      }
    }
  } else if (isDigit(first) && matchLexerToken(rec, text, length, digits) > 0) {
    len = matchLexerToken(rec, text, length, digits);
    style = rec->numberStyle;
  } else {
    while (len < length && !isBlank(text[len]) && delimiterOf(rec, text[len]) == NOT_DELIMITER)
      len++;
    std::string word(text, static_cast<size_t>(len));
    int lead = utf8Length(static_cast<unsigned char>(first));
    int tailStart = len - 1;
    while (tailStart > 0 && (static_cast<unsigned char>(text[tailStart]) & 0xC0) == 0x80)
      tailStart--;
    if ((whole = findKey(rec, word)) != nullptr) {
      style = whole->style;
    } else if (findKey(rec, word.substr(0, static_cast<size_t>(lead < len ? lead : len))) ||
               findKey(rec, word.substr(static_cast<size_t>(tailStart)))) {
      style = STYLE_DEFAULT_TEXT;
    } else {
      int next = len;
      while (next < length && isBlank(text[next])) next++;
      int d = next < length ? delimiterOf(rec, text[next]) : NOT_DELIMITER;
      if (d >= 0 && (rec->entries[static_cast<size_t>(d)].flags & LEX_CALL_SUFFIX)) {
        len = next;
        style = rec->entries[static_cast<size_t>(d)].style;
      }
    }
  }
  if (!measuring) {
    if (!(rec->options & LEXOPT_STYLING)) style = STYLE_DEFAULT_TEXT;
    styleBytes(rec, len, style);
    if (whole) {
      if (whole->flags & LEX_FOLD_OPEN) rec->foldDelta++;
      if ((whole->flags & LEX_FOLD_CLOSE) && (rec->foldLevel > FOLD_BASE || rec->foldDelta != 0))
        rec->foldDelta--;
    }
  }
  return len;
}

int styleToken(int gadget, const char* text, int length) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || !text || length <= 0) return 0;
  return classifyToken(rec, text, length, false);
}
