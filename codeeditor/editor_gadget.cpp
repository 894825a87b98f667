// Creating and freeing code editors, the text in and out, lines and line
// states, the line-number margin, colours, fonts and tabs.
#include "codeeditor/code_editor.h"
#include "codeeditor/editor_host.h"

#include <Qsci/qsciscintillabase.h>

#include "ui/ui.h"

#include <QTimer>

#include <map>
#include <memory>

using Sci = QsciScintillaBase;

namespace {

std::map<int, std::unique_ptr<EditorRecord>> records;

void connectNotifications(Sci* view, int gadget) {
  QObject::connect(view, &Sci::SCN_STYLENEEDED, view, [gadget](int position) {
    EditorNotification n;
    n.code = EDITOR_STYLENEEDED;
    n.position = position;
    onEditorNotification(gadget, n);
  });
  QObject::connect(view, &Sci::SCN_CHARADDED, view, [gadget](int ch) {
    EditorNotification n;
    n.code = EDITOR_CHARADDED;
    n.ch = ch;
    onEditorNotification(gadget, n);
  });
  QObject::connect(view, &Sci::SCN_MODIFIED, view,
                   [gadget, view](int position, int type, const char*, int length, int, int,
                                  int, int, int, int) {
                     EditorNotification n;
                     n.code = EDITOR_MODIFIED;
                     n.position = position;
                     n.modificationType = type;
                     n.length = length;
                     onEditorNotification(gadget, n);
                     // The change itself comes after this notice: it is
                     // taken up once the view is done with it.
                     EditorRecord* rec = editorRecord(gadget);
                     if (!rec) return;
                     if (type & Sci::SC_MOD_BEFOREDELETE) rec->deletedSince = true;
                     if (rec->changePending) return;
                     rec->changePending = true;
                     QTimer::singleShot(0, view, [gadget] { onTextChanged(gadget); });
                   });
  using ListSignal = void (Sci::*)(const char*, int, int, int);
  QObject::connect(view, static_cast<ListSignal>(&Sci::SCN_AUTOCSELECTION), view,
                   [gadget](const char* entry, int position, int, int method) {
                     onCompletionChosen(editorRecord(gadget), entry, position, method);
                   });
  QObject::connect(view, &Sci::SCN_AUTOCCOMPLETED, view,
                   [gadget](const char*, int, int, int) { onCompletionInserted(editorRecord(gadget)); });
  QObject::connect(view, &Sci::SCN_MARGINCLICK, view, [gadget](int position, int, int margin) {
    EditorNotification n;
    n.code = EDITOR_MARGINCLICK;
    n.position = position;
    n.margin = margin;
    onEditorNotification(gadget, n);
  });
  QObject::connect(view, &Sci::SCN_NEEDSHOWN, view, [gadget](int position, int length) {
    EditorNotification n;
    n.code = EDITOR_NEEDSHOWN;
    n.position = position;
    n.length = length;
    onEditorNotification(gadget, n);
  });
}

void defineMarker(EditorRecord* rec, int marker, int symbol, int fore, int back) {
  sendEditor(rec, Sci::SCI_MARKERDEFINE, marker, symbol);
  if (fore >= 0) sendEditor(rec, Sci::SCI_MARKERSETFORE, marker, fore);
  if (back >= 0) sendEditor(rec, Sci::SCI_MARKERSETBACK, marker, back);
}

// Markers whose colours go back first, then fore.
void defineMarkerBackFirst(EditorRecord* rec, int marker, int symbol, int back, int fore) {
  sendEditor(rec, Sci::SCI_MARKERDEFINE, marker, symbol);
  sendEditor(rec, Sci::SCI_MARKERSETBACK, marker, back);
  if (fore >= 0) sendEditor(rec, Sci::SCI_MARKERSETFORE, marker, fore);
}

bool lineExists(EditorRecord* rec, int line) {
  return line >= 0 && line < sendEditor(rec, Sci::SCI_GETLINECOUNT);
}

constexpr int WHITE = 16777215;

}  // namespace

EditorRecord* editorRecord(int gadget) {
  auto it = records.find(gadget);
  return it == records.end() ? nullptr : it->second.get();
}

long sendEditor(const EditorRecord* rec, unsigned int message, unsigned long wParam, long lParam) {
  if (!rec || !rec->view) return 0;
  return rec->view->SendScintilla(message, wParam, lParam);
}

long sendEditorText(const EditorRecord* rec, unsigned int message, unsigned long wParam,
                    const char* text) {
  if (!rec || !rec->view) return 0;
  return rec->view->SendScintilla(message, static_cast<uintptr_t>(wParam), text);
}

void forgetCodeEditor(int gadget) { records.erase(gadget); }

int createCodeEditor(int gadget, int x, int y, int width, int height,
                     EditorNotifyCallback notifyCallback, int creationFlags) {
  auto rec = std::make_unique<EditorRecord>();
  const EditorHost& host = editorHost();
  auto* view = new Sci(host.parent ? host.parent() : nullptr);
  int number = host.add(gadget, view, x, y, width, height);
  if (number == 0) {
    delete view;
    return 0;
  }
  // A number handed out again after its old editor went away must not keep
  // the old record.
  records.erase(number);
  rec->gadget = number;
  rec->view = view;
  rec->notifyCallback = notifyCallback;
  rec->creationFlags = creationFlags;
  rec->options = LEXOPT_STYLING | LEXOPT_FOLDING;
  rec->numberStyle = 32;
  rec->minCompletionLength = 3;
  rec->entryIndex.reserve(512);
  EditorRecord* r = rec.get();
  records[number] = std::move(rec);
  connectNotifications(view, number);

  sendEditor(r, Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
  sendEditor(r, Sci::SCI_SETLEXER, 0);
  sendEditor(r, Sci::SCI_SETMARGINWIDTHN, 1, 0);
  sendEditor(r, Sci::SCI_SETMARGINSENSITIVEN, 2, 1);
  sendEditor(r, Sci::SCI_SETMARGINMASKN, 2, static_cast<long>(0xFE000000u));
  defineMarker(r, 31, 14, WHITE, 0);
  defineMarker(r, 30, 12, WHITE, 0);
  defineMarker(r, 29, 9, -1, 0);
  defineMarker(r, 28, 10, -1, 0);
  defineMarkerBackFirst(r, 25, 13, 0, WHITE);
  defineMarkerBackFirst(r, 26, 15, 0, WHITE);
  defineMarkerBackFirst(r, 27, 11, 0, -1);
  sendEditor(r, Sci::SCI_STYLECLEARALL);
  updateLineNumberMargin(number);
  sendEditor(r, Sci::SCI_AUTOCSETIGNORECASE, (creationFlags & EDITOR_CASE_SENSITIVE) ? 0 : 1);
  sendEditor(r, Sci::SCI_CALLTIPUSESTYLE, 0);
  sendEditor(r, Sci::SCI_SETMARGINMASKN, 1, 3);
  sendEditor(r, Sci::SCI_MARKERDEFINE, 0, 4);
  defineMarkerBackFirst(r, 1, 22, 255, -1);
  // A folded block whose opener goes away opens again, so no line stays
  // hidden without a marker to show it.
  sendEditor(r, Sci::SCI_SETAUTOMATICFOLD, Sci::SC_AUTOMATICFOLD_CHANGE);
  // The view scrolls sideways only as far as its widest line shown so far;
  // an empty or narrow text has no horizontal scroll bar.
  sendEditor(r, Sci::SCI_SETSCROLLWIDTH, 1);
  sendEditor(r, Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
  // Only the notices before a text change: the view serves those after it
  // with an accessibility update that counts the characters from the start
  // of the text, which made a keystroke cost milliseconds near the end of a
  // long script. Style, fold and line-state changes would come back once per
  // styling run.
  sendEditor(r, Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);
  return number;
}

void freeCodeEditor(int gadget) {
  if (!editorRecord(gadget)) return;
  records.erase(gadget);
  editorHost().remove(gadget);
}

std::string getEditorText(int gadget) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return "";
  long length = sendEditor(rec, Sci::SCI_GETLENGTH);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  sendEditorText(rec, Sci::SCI_GETTEXT, length + 1, text.data());
  text.resize(static_cast<size_t>(length));
  return text;
}

void setEditorText(int gadget, const std::string& text, int /*emptyUndo*/) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  sendEditorText(rec, Sci::SCI_SETTEXT, 0, text.c_str());
  sendEditor(rec, Sci::SCI_EMPTYUNDOBUFFER);
  rec->deletedSince = false;   // a new text is no deletion to complete after
  updateLineNumberMargin(gadget);
  restyleEditor(gadget, 0, -1, -1);
}

std::string getEditorLine(int gadget, int line) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || !lineExists(rec, line)) return "";
  long length = sendEditor(rec, Sci::SCI_LINELENGTH, line);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  sendEditorText(rec, Sci::SCI_GETLINE, line, text.data());
  text.resize(static_cast<size_t>(length));
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

int getLineState(int gadget, int line) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || !lineExists(rec, line)) return 0;
  return static_cast<int>(sendEditor(rec, Sci::SCI_GETLINESTATE, line));
}

int setLineState(int gadget, int line, int state) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || !lineExists(rec, line)) return 0;
  int old = static_cast<int>(sendEditor(rec, Sci::SCI_GETLINESTATE, line));
  sendEditor(rec, Sci::SCI_SETLINESTATE, line, state);
  return old;
}

void onTextChanged(int gadget) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  rec->changePending = false;
  if (sendEditor(rec, Sci::SCI_GETLINECOUNT) != rec->knownLineCount) updateLineNumberMargin(gadget);
  // Typed characters update the list as they come; a deletion does it here.
  const bool deleted = rec->deletedSince;
  rec->deletedSince = false;
  if (deleted && (rec->options & LEXOPT_COMPLETION)) updateAutoComplete(rec);
}

void updateLineNumberMargin(int gadget) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  long lines = sendEditor(rec, Sci::SCI_GETLINECOUNT);
  rec->knownLineCount = lines;
  if (!(rec->creationFlags & EDITOR_AUTO_LINE_NUMBERS)) return;
  std::string nines(std::to_string(lines < 1 ? 1 : lines).size(), '9');
  long width = sendEditorText(rec, Sci::SCI_TEXTWIDTH, STYLE_LINE_NUMBERS, nines.c_str()) + 10;
  sendEditor(rec, Sci::SCI_SETMARGINWIDTHN, 0, width);
}

void setMarginWidth(int gadget, int margin, int width) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || margin < 0 || margin > 4) return;
  if (width < 0) width = 0;
  if (margin == 0 && (rec->creationFlags & EDITOR_AUTO_LINE_NUMBERS)) return;
  sendEditor(rec, Sci::SCI_SETMARGINWIDTHN, margin, width);
}

void applyEditorColor(int gadget, int setting, int colour) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  switch (setting) {
    case 2:
      if (colour == -1) return;
      sendEditor(rec, Sci::SCI_STYLESETFORE, STYLE_DEFAULT_TEXT, colour);
      sendEditor(rec, Sci::SCI_STYLECLEARALL);
      break;
    case 3:
      if (colour != -1) sendEditor(rec, Sci::SCI_SETSELBACK, 1, colour);
      break;
    case 4:
      if (colour != -1) sendEditor(rec, Sci::SCI_SETSELFORE, 1, colour);
      break;
    case 7:
      if (colour == -1) {
        sendEditor(rec, Sci::SCI_SETCARETLINEVISIBLE, 0);
      } else {
        sendEditor(rec, Sci::SCI_SETCARETLINEBACK, colour);
        sendEditor(rec, Sci::SCI_SETCARETLINEVISIBLE, 1);
      }
      break;
    default:
      break;
  }
}

void setEditorFont(int gadget, const std::string& family, int size, int fontFlags) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  setStyleFont(gadget, STYLE_DEFAULT_TEXT, family, size, fontFlags);
  sendEditor(rec, Sci::SCI_STYLECLEARALL);
  updateLineNumberMargin(gadget);
}

void setStyleFont(int gadget, int style, const std::string& family, int size, int fontFlags) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || style < 0 || style > 255) return;
  // Through the program's family mapping, so that "Consolas" is a font
  // installed here and not left to whatever fontconfig substitutes.
  if (!family.empty()) sendEditorText(rec, Sci::SCI_STYLESETFONT, style, installedFamily(family).c_str());
  if (size != -1) sendEditor(rec, Sci::SCI_STYLESETSIZE, style, size);
  if (fontFlags != -1) {
    sendEditor(rec, Sci::SCI_STYLESETBOLD, style, (fontFlags & 1) ? 1 : 0);
    sendEditor(rec, Sci::SCI_STYLESETITALIC, style, (fontFlags & 2) ? 1 : 0);
    sendEditor(rec, Sci::SCI_STYLESETUNDERLINE, style, (fontFlags & 4) ? 1 : 0);
  }
  if (style == STYLE_LINE_NUMBERS) updateLineNumberMargin(gadget);
}

void setStyleColors(int gadget, int style, int foreground, int background) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec || style < 0 || style > 255) return;
  if (foreground != -1) sendEditor(rec, Sci::SCI_STYLESETFORE, style, foreground);
  if (background != -1) sendEditor(rec, Sci::SCI_STYLESETBACK, style, background);
}

void setTabWidth(int gadget, int width, int indentWithSpaces) {
  EditorRecord* rec = editorRecord(gadget);
  if (!rec) return;
  sendEditor(rec, Sci::SCI_SETTABWIDTH, width);
  sendEditor(rec, Sci::SCI_SETUSETABS, 1 - indentWithSpaces);
}
