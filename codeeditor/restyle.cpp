// Restyling line by line through the line styler, fold levels from the fold
// braces, and the view's notifications.
#include "codeeditor/code_editor.h"

#include <Qsci/qsciscintillabase.h>

#include <algorithm>

using Sci = QsciScintillaBase;

namespace {

void flushStyling(EditorRecord* rec) {
  if (rec->pendingLength > 0)
    sendEditor(rec, Sci::SCI_SETSTYLING, static_cast<unsigned long>(rec->pendingLength),
               rec->pendingStyle);
  rec->pendingLength = 0;
  rec->pendingStyle = -1;
}

void startStyling(EditorRecord* rec, long position) {
  flushStyling(rec);
  sendEditor(rec, Sci::SCI_STARTSTYLING, static_cast<unsigned long>(position), 31);
  rec->stylePos = position;
}

// All tokens of a line, for an editor without a line styler.
int styleRange(EditorRecord* rec, const char* text, int length) {
  int i = 0;
  while (i < length) {
    int n = classifyToken(rec, text + i, length - i, false);
    if (n <= 0) break;
    i += n;
  }
  return 0;
}

// Styles one line of `length` bytes from its start; the styler's result.
int styleOneLine(EditorRecord* rec, int line, long lineStart, int length, int fullLength,
                 int firstLine, int endLine) {
  rec->foldDelta = 0;
  if (rec->stylePos != lineStart) startStyling(rec, lineStart);
  rec->styleLimit = lineStart + length;
  std::vector<char>& buffer = rec->lineBuffer;
  buffer.assign(static_cast<size_t>(fullLength) + 1, '\0');
  sendEditorText(rec, Sci::SCI_GETLINE, static_cast<unsigned long>(line), buffer.data());
  buffer[static_cast<size_t>(length)] = '\0';
  int result = rec->lineStyler
                   ? rec->lineStyler(rec->gadget, buffer.data(), length, line, firstLine, endLine)
                   : styleRange(rec, buffer.data(), length);
  // Whatever the styler left unstyled keeps the run aligned with the text.
  if (rec->stylePos < rec->styleLimit)
    styleBytes(rec, rec->styleLimit - rec->stylePos, STYLE_DEFAULT_TEXT);
  return result;
}

}  // namespace

void restyleEditor(int gadget, int startLine, int endLine, int endPosition) {
  EditorRecord* rec = editorRecord(gadget);
  // A request that arrives while a pass runs (the view unfolding a block
  // whose opener went away) is covered by the running pass.
  if (!rec || rec->restyling) return;
  const int lastLine = static_cast<int>(sendEditor(rec, Sci::SCI_GETLINECOUNT)) - 1;
  const long textLength = sendEditor(rec, Sci::SCI_GETLENGTH);
  if (endLine == -1 || endLine > lastLine) endLine = lastLine;
  const int requestedEnd = endLine;
  if (startLine < 0) startLine = 0;
  if (startLine > lastLine) startLine = lastLine;
  if (startLine == 0) {
    rec->foldLevel = FOLD_BASE;
  } else {
    startLine--;
    rec->foldLevel =
        static_cast<int>(sendEditor(rec, Sci::SCI_GETFOLDLEVEL, startLine)) & FOLD_NUMBER_MASK;
  }
  if (endPosition > textLength) endPosition = static_cast<int>(textLength);
  const bool limited = endPosition >= 0;
  long startPos = sendEditor(rec, Sci::SCI_POSITIONFROMLINE, startLine);
  long remaining = limited ? endPosition - startPos : 0;

  rec->restyling = true;
  startStyling(rec, startPos);
  int previousResult = 0;
  for (int line = startLine; line <= endLine; line++) {
    long lineStart = sendEditor(rec, Sci::SCI_POSITIONFROMLINE, line);
    int fullLength = static_cast<int>(sendEditor(rec, Sci::SCI_LINELENGTH, line));
    int length = fullLength;
    bool cut = false;
    if (limited && previousResult == 0 && length > remaining) {
      length = static_cast<int>(std::max(remaining, 0L));
      cut = true;
    }
    remaining -= length;
    rec->foldDelta = 0;
    if (length > 0) {
      int result = styleOneLine(rec, line, lineStart, length, fullLength, startLine, requestedEnd);
      // A cut line whose state changed is styled whole, so that the next
      // line starts where the text does.
      if (cut && result == 1 && length < fullLength) {
        startStyling(rec, lineStart);
        styleOneLine(rec, line, lineStart, fullLength, fullLength, startLine, requestedEnd);
      }
      endLine = result == 1 ? lastLine : requestedEnd;
      previousResult = result;
    }
    if (length > 0 || line == lastLine) {
      if (rec->options & LEXOPT_FOLDING) {
        int level = rec->foldLevel | (rec->foldDelta >= 1 ? FOLD_HEADER : 0);
        sendEditor(rec, Sci::SCI_SETFOLDLEVEL, line, level);
        rec->foldLevel = std::max(rec->foldLevel + rec->foldDelta, FOLD_BASE);
      } else {
        sendEditor(rec, Sci::SCI_SETFOLDLEVEL, line, 0);
      }
    }
  }
  flushStyling(rec);
  rec->restyling = false;
}

void onEditorNotification(int gadget, const EditorNotification& n) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  const int lineCount = static_cast<int>(sendEditor(rec, Sci::SCI_GETLINECOUNT));
  switch (n.code) {
    case EDITOR_STYLENEEDED: {
      long endStyled = sendEditor(rec, Sci::SCI_GETENDSTYLED);
      int startLine = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, endStyled));
      int endLine = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, n.position));
      restyleEditor(gadget, startLine, endLine, n.position);
      break;
    }
    case EDITOR_CHARADDED:
      if (n.ch == '\n' && (rec->options & LEXOPT_AUTOINDENT)) {
        long caret = sendEditor(rec, Sci::SCI_GETCURRENTPOS);
        int line = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, caret));
        if (line > 0) {
          long indent = sendEditor(rec, Sci::SCI_GETLINEINDENTATION, line - 1);
          if (indent > 0) {
            sendEditor(rec, Sci::SCI_SETLINEINDENTATION, line, indent);
            sendEditor(rec, Sci::SCI_GOTOPOS,
                       sendEditor(rec, Sci::SCI_GETLINEINDENTPOSITION, line));
          }
        }
      } else if (rec->options & LEXOPT_COMPLETION) {
        updateAutoComplete(rec);
      }
      break;
    case EDITOR_MODIFIED:   // before the change: onTextChanged takes it up after
      break;
    case EDITOR_MARGINCLICK:
      if (n.margin == 2) {
        int line = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, n.position));
        if (sendEditor(rec, Sci::SCI_GETFOLDLEVEL, line) & FOLD_HEADER)
          sendEditor(rec, Sci::SCI_TOGGLEFOLD, line);
      }
      break;
    case EDITOR_NEEDSHOWN: {
      long textLength = sendEditor(rec, Sci::SCI_GETLENGTH);
      long from = std::clamp<long>(n.position, 0, textLength);
      long to = std::clamp<long>(static_cast<long>(n.position) + n.length, 0, textLength);
      int first = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, from));
      int last = static_cast<int>(sendEditor(rec, Sci::SCI_LINEFROMPOSITION, to));
      for (int line = first; line <= last; line++) sendEditor(rec, Sci::SCI_ENSUREVISIBLE, line);
      long level = sendEditor(rec, Sci::SCI_GETFOLDLEVEL, last);
      if ((level & FOLD_HEADER) && last + 1 < lineCount &&
          (sendEditor(rec, Sci::SCI_GETFOLDLEVEL, last + 1) & FOLD_NUMBER_MASK) >
              (level & FOLD_NUMBER_MASK))
        sendEditor(rec, Sci::SCI_ENSUREVISIBLE, last + 1);
      break;
    }
    default:
      break;
  }
  // The record may have gone with a callback that freed the editor.
  if (editorRecord(gadget) == rec && rec->notifyCallback) rec->notifyCallback(gadget, n);
}
