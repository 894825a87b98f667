// The JavaScript line styler: line comments and block comments (carried from
// line to line in the line state), everything else token by token.
#include "codeeditor/code_editor.h"

namespace {
constexpr int COMMENT_STYLE = 1;
}

int styleBlockComment(int gadget, const char* text, int length, int& state) {
  int i = 0;
  bool closed = false;
  while (i < length) {
    if (text[i] == '*' && i + 1 < length && text[i + 1] == '/') {
      i += 2;
      state = 0;
      closed = true;
      break;
    }
    i++;
  }
  if (!closed)
    while (i > 0 && (text[i - 1] == '\r' || text[i - 1] == '\n')) i--;
  if (i > 0) styleBytes(gadget, i, COMMENT_STYLE);
  return i;
}

int styleLine(int gadget, const char* text, int length, int line, int, int) {
  if (!editorRecord(gadget)) return 0;
  int state = line > 0 ? getLineState(gadget, line - 1) : 0;
  int i = 0;
  while (i < length) {
    if (state != 0) i += styleBlockComment(gadget, text + i, length - i, state);
    bool tokenStart = true;
    bool reopened = false;
    while (i < length && !reopened) {
      char examined = text[i];
      if (text[i] == '/' && length - i >= 2) {
        if (text[i + 1] == '/' && tokenStart) {
          styleBytes(gadget, length - i, COMMENT_STYLE);
          i = length;
          break;
        }
        if (text[i + 1] == '*') {
          styleBytes(gadget, 2, COMMENT_STYLE);
          i += 2;
          state = 1;
          reopened = true;
          break;
        }
        examined = text[i + 1];
      }
      tokenStart = examined == '\t' || examined == ' ' || examined == ';';
      int n = styleToken(gadget, text + i, length - i);
      if (n <= 0) return 0;
      i += n;
    }
  }
  if (getLineState(gadget, line) != state) {
    setLineState(gadget, line, state);
    return 1;
  }
  return 0;
}
