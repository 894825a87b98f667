// The pieces of the project's code, each checked on its own as the text it
// becomes in game.js before the game is written: an event of an object, a
// scene's code, a function, the global texts, an extension; then an event's
// handler as its pieces stand together. A piece that does not compile would
// stop the whole script, or change what the code around it means; it is
// written instead as text that the runtime compiles when the game starts
// (zm_late_function, zm_late_script), so that only that piece is left out,
// reported in the game's error line.
#pragma once

#include <string>
#include <vector>

struct CodeProblem {
  // "object obj_a, event Step", "scene room", "function f", ..., each name
  // cut as messages show it, so that a long one leaves the event in view.
  std::string where;
  int line = 0;          // within the piece, from 1; 0 for a function's parameter list
  std::string message;   // the engine's words
  // For a name declared twice at the top level, where the other declaration
  // is: "also declared in extension Lib, line 3".
  std::string other;
};

// Every piece found not to compile since clearCodeProblems, in the order met.
extern std::vector<CodeProblem> codeProblems;
void clearCodeProblems();

// Each checks one piece; one that does not compile is added to codeProblems,
// copied into `problem`, and false is returned. A body piece is judged
// whole (a stray "}" is refused) but as it stands after other code: a
// "use strict" at its start is no directive there.
bool bodyPieceCompiles(const std::string& where, const std::string& code, CodeProblem& problem);
bool scriptPieceCompiles(const std::string& where, const std::string& text, CodeProblem& problem);
// A function of the project: its parameter list and its body.
bool functionPieceCompiles(const std::string& where, const std::string& params, const std::string& code,
                           CodeProblem& problem);

// A function body of fixed lines and pieces of code, as an event's handler.
struct BodyPart {
  std::string text;    // the fixed lines, or a piece's code
  std::string where;   // a piece's name in messages; "" for fixed lines
  bool compiles = true;
  CodeProblem problem;
};

// Checks each piece alone, then the body that those which compile make
// together, as it will stand. When that fails (two pieces declare one name,
// or a piece does not compile inside its wrapper), the pieces are put back
// one at a time, and each that breaks the body is marked as not compiling,
// as the runtime leaves it out. Returns whether every piece compiles.
bool bodyPartsCompile(std::vector<BodyPart>& parts);
// The body as written inline; and as the list of zm_late_function.
void appendBody(std::string& out, const std::vector<BodyPart>& parts);
void appendLateBody(std::string& out, const std::vector<BodyPart>& parts);

// One part of a zm_late_function list: a text that compiles, or a piece
// that did not, as ['where', line, 'code'].
void appendLateText(std::string& out, const std::string& text);
void appendLatePiece(std::string& out, const CodeProblem& problem, const std::string& code);

// zm_late_script('where', line, 'text'); for a top-level piece that did not
// compile.
void appendLateScript(std::string& out, const CodeProblem& problem, const std::string& text);

// The text of the Warning that names the first pieces that do not compile;
// "" when every piece compiles.
std::string codeProblemsWarning();
