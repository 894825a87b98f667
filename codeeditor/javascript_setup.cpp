// Configuring a code editor for JavaScript: colours and font from the
// settings, tabs, the fold margin, the style table, strings and brackets,
// keywords, fold braces, the project's names, the runtime's identifiers, the
// operators, the number style, the options and the line styler.
#include "codeeditor/code_editor.h"
#include "codeeditor/editor_settings.h"
#include "codeeditor/keywords.h"
#include "project/tables.h"

namespace {

constexpr int BLUE = 255 * 65536;

// Added unsorted and without restyling: the list is sorted once and the
// text restyled once when all are in (each name on its own cost a sort of
// the whole list and a restyle, 11 s for 16,000 sprites).
void addResourceName(int gadget, const std::string& name) {
  addLexerWords(gadget, name, 5, LEX_WORD, 0, 0);
}

}  // namespace

void setupEditorLexer(int gadget) {
  if (!editorRecord(gadget)) return;
  applyEditorColor(gadget, 2, sciColorFore);
  applyEditorColor(gadget, 3, sciColorSelectionBack);
  applyEditorColor(gadget, 4, sciColorSelectionFore);
  applyEditorColor(gadget, 7, sciColorCaret);
  setEditorFont(gadget, sciFontFamily, sciFontSize, -1);
  setTabWidth(gadget, 4, 0);
  setMarginWidth(gadget, 2, 24);

  setStyleColors(gadget, 0, sciColorCommand, -1);
  setStyleFont(gadget, 1, "", -1, 2);
  setStyleColors(gadget, 1, sciColorComment, -1);
  setStyleColors(gadget, 6, sciColorZmFunction, -1);
  setStyleColors(gadget, 7, sciColorZmVariable, -1);
  setStyleColors(gadget, 8, sciColorZmConstant, -1);
  setStyleColors(gadget, 5, sciColorResource, -1);
  setStyleColors(gadget, 2, sciColorString, -1);
  setStyleColors(gadget, 3, sciColorNumber, -1);
  setStyleColors(gadget, 4, sciColorFunction, -1);
  setStyleFont(gadget, 9, "", -1, 1);
  setStyleColors(gadget, 9, BLUE, -1);

  addLexerSpan(gadget, "\"", "\"", LEX_SPAN, 2, 1);
  addLexerSpan(gadget, "'", "'", LEX_SPAN, 2, 1);
  addLexerSpan(gadget, "(", "", LEX_CALL_SUFFIX, 4, 1);
  addLexerSpan(gadget, ")", "", 0, 4, 1);

  addLexerWords(gadget,
                "break case catch continue debugger default delete do else finally for function "
                "if in instanceof new return switch this throw try typeof var void while with "
                "true false null undefined",
                0, LEX_WORD, 1, 1);
  addLexerWords(gadget, "{", 0, LEX_FOLD_OPEN, 0, 1);
  addLexerWords(gadget, "}", 0, LEX_FOLD_CLOSE, 0, 1);

  for (const SpriteRecord& r : sprites) addResourceName(gadget, r.name);
  for (const SoundRecord& r : sounds) addResourceName(gadget, r.name);
  for (const MusicRecord& r : musics) addResourceName(gadget, r.name);
  for (const BackgroundRecord& r : backgrounds) addResourceName(gadget, r.name);
  for (const FontRecord& r : fonts) addResourceName(gadget, r.name);
  for (const ObjectRecord& r : objects)
    if (r.prototype == 1) addResourceName(gadget, r.name);
  for (const SceneRecord& r : scenes) addResourceName(gadget, r.name);
  for (const FunctionRecord& r : fns) addResourceName(gadget, r.name);

  for (const KeywordRecord& k : keywords) {
    int style = k.kind == "Fn" ? 6 : k.kind == "Var" ? 7 : k.kind == "Cons" ? 8 : -1;
    if (style != -1) addLexerWords(gadget, k.word, style, LEX_WORD, 0, 0);
  }
  sortLexerWords(gadget);

  setLexerCharClass(gadget, 1, "=+-*/%()[],.|&;", 0);
  setLexerCharClass(gadget, 2, "", 3);
  setLexerOption(gadget, LEXOPT_STYLING | LEXOPT_COMPLETION | LEXOPT_FOLDING | LEXOPT_AUTOINDENT);
  setLineStyler(gadget, styleLine);
}
