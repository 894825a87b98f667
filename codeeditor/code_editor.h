// The code editor gadget: a Scintilla view that the program styles itself
// (container styling), with one EditorRecord per gadget. Texts are UTF-8;
// positions and lengths given to and read from the view are byte counts.
// Every operation that takes a gadget does nothing (0, "" or none) when the
// gadget is not a code editor.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class QsciScintillaBase;
class QWidget;

// Notification codes of the view (the component's own numbers).
constexpr int EDITOR_STYLENEEDED = 2000;
constexpr int EDITOR_CHARADDED = 2001;
constexpr int EDITOR_MODIFIED = 2008;
constexpr int EDITOR_MARGINCLICK = 2010;
constexpr int EDITOR_NEEDSHOWN = 2011;

struct EditorNotification {
  int code = 0;
  int position = 0;
  int ch = 0;                 // EDITOR_CHARADDED
  // EDITOR_MODIFIED comes before a text change, with the view's
  // SC_MOD_BEFOREINSERT or SC_MOD_BEFOREDELETE bit set.
  int modificationType = 0;   // EDITOR_MODIFIED
  int length = 0;             // EDITOR_MODIFIED, EDITOR_NEEDSHOWN
  int margin = 0;             // EDITOR_MARGINCLICK
};

using EditorNotifyCallback = void (*)(int gadget, const EditorNotification& notification);
// Styles exactly `length` bytes of line `line` from the current styling
// position; returns 1 when it changed the line's stored state.
using LineStyler = int (*)(int gadget, const char* text, int length, int line, int firstLine,
                           int endLine);

// Creation flags.
constexpr int EDITOR_AUTO_LINE_NUMBERS = 1;
constexpr int EDITOR_CASE_SENSITIVE = 2;

// Lexer entry flags.
constexpr int LEX_SPAN = 0x1;
constexpr int LEX_CALL_SUFFIX = 0x10;
constexpr int LEX_FOLD_OPEN = 0x100000;
constexpr int LEX_FOLD_CLOSE = 0x400000;
constexpr int LEX_WORD = 0x800000;

// Lexer options.
constexpr int LEXOPT_STYLING = 0x1;
constexpr int LEXOPT_COMPLETION = 0x2;
constexpr int LEXOPT_FOLDING = 0x4;
constexpr int LEXOPT_AUTOINDENT = 0x20;

constexpr int STYLE_DEFAULT_TEXT = 32;
constexpr int STYLE_LINE_NUMBERS = 33;
constexpr int FOLD_BASE = 0x400;
constexpr int FOLD_HEADER = 0x2000;
constexpr int FOLD_NUMBER_MASK = 0xFFF;

struct LexerEntry {
  std::string text;
  int style = 0;
  int flags = 0;
  char closeChar = 0;
};

struct EditorRecord {
  int gadget = 0;
  EditorNotifyCallback notifyCallback = nullptr;
  int creationFlags = 0;
  int options = 0;
  LineStyler lineStyler = nullptr;
  std::string operatorChars;
  int numberStyle = 32;
  std::vector<LexerEntry> entries;
  std::unordered_map<std::string, int> entryIndex;   // key -> position in entries
  int foldDelta = 0;
  int foldLevel = 0;
  int minCompletionLength = 3;

  QsciScintillaBase* view = nullptr;
  // Per-byte delimiter table, rebuilt when entries or operators change:
  // -2 not a delimiter, -1 a delimiter without entry, else the entry.
  int delimiter[256] = {};
  bool delimitersDirty = true;
  // Styling run in progress: bytes may be styled only up to styleLimit, and
  // runs of one style are joined before they reach the view.
  bool restyling = false;
  long stylePos = 0;
  long styleLimit = 0;
  int pendingStyle = -1;
  long pendingLength = 0;
  std::vector<char> lineBuffer;
  // What the view held when its changes were last looked at: a text change
  // is taken up once the change is done (see onTextChanged).
  long knownLineCount = 1;
  bool changePending = false;
  bool deletedSince = false;   // text went away since the last look
};

// Takes up the text changes made since the last call: the line-number margin
// for a changed line count, the completion list after a deletion. Runs by
// itself right after every change; callers that changed the text may run it
// at once.
void onTextChanged(int gadget);

// The record of a code editor gadget; nullptr when it is none.
EditorRecord* editorRecord(int gadget);
// One message to the view of a record (0 without a view).
long sendEditor(const EditorRecord* rec, unsigned int message, unsigned long wParam = 0,
                long lParam = 0);
long sendEditorText(const EditorRecord* rec, unsigned int message, unsigned long wParam,
                    const char* text);

// Gadget (editor_gadget.cpp)
int createCodeEditor(int gadget, int x, int y, int width, int height,
                     EditorNotifyCallback notifyCallback, int creationFlags);
void freeCodeEditor(int gadget);
std::string getEditorText(int gadget);
// Replaces the whole text, always empties the undo history (a freshly opened
// window cannot be undone to an empty field), and restyles. `emptyUndo` is
// kept for callers; the history is emptied whatever it holds.
void setEditorText(int gadget, const std::string& text, int emptyUndo = 0);
std::string getEditorLine(int gadget, int line);
int getLineState(int gadget, int line);
int setLineState(int gadget, int line, int state);
void updateLineNumberMargin(int gadget);
void setMarginWidth(int gadget, int margin, int width);
void applyEditorColor(int gadget, int setting, int colour);
void setEditorFont(int gadget, const std::string& family, int size, int fontFlags);
void setStyleFont(int gadget, int style, const std::string& family, int size, int fontFlags);
void setStyleColors(int gadget, int style, int foreground, int background);
void setTabWidth(int gadget, int width, int indentWithSpaces);

// Lexer table (lexer_table.cpp)
int addLexerEntry(int gadget, const std::string& words, int style, int flags);
int addLexerWords(int gadget, const std::string& words, int style, int flags, int sort,
                  int restyle);
// Sorts the table after words were added with `sort` 0 (a batch added
// unsorted and sorted once).
void sortLexerWords(int gadget);
int addLexerSpan(int gadget, const std::string& opening, const std::string& closing, int flags,
                 int style, int restyle);
int setLexerCharClass(int gadget, int charClass, const std::string& operators, int value);
int setLexerOption(int gadget, int options);
LineStyler setLineStyler(int gadget, LineStyler styler);
const LexerEntry* lookupLexerWord(int gadget, const std::string& word);
std::string lexerKey(const EditorRecord* rec, const std::string& text);

// Tokens (lexer_tokens.cpp)
// Length of the token at `text` (length >= 1); styles it unless measuring.
int classifyToken(EditorRecord* rec, const char* text, int length, bool measuring);
int styleToken(int gadget, const char* text, int length);
// Gives the next `length` bytes of the running styling pass the style; never
// past the line being styled or the end of the text.
void styleBytes(int gadget, int length, int style);
void styleBytes(EditorRecord* rec, long length, int style);

// Restyling and notifications (restyle.cpp)
void restyleEditor(int gadget, int startLine, int endLine, int endPosition);
void onEditorNotification(int gadget, const EditorNotification& notification);

// Completion and context help (completion.cpp)
void updateAutoComplete(EditorRecord* rec);
// The view's notices about the list: an entry chosen (before it is put in,
// `start` where the entered word begins) and an entry put in.
void onCompletionChosen(EditorRecord* rec, const char* entry, long start, int method);
void onCompletionInserted(EditorRecord* rec);
int keywordAtCaret(int gadget);

// JavaScript configuration (javascript_setup.cpp)
void setupEditorLexer(int gadget);

// The JavaScript line styler (line_styler.cpp)
int styleLine(int gadget, const char* text, int length, int line, int firstLine, int endLine);
int styleBlockComment(int gadget, const char* text, int length, int& state);
