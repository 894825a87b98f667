#include "builder/code_check.h"

#include "builder/js_check.h"
#include "builder/js_text.h"
#include "project/message_texts.h"

std::vector<CodeProblem> codeProblems;

namespace {

bool record(bool compiles, const std::string& where, const JsProblem& found, CodeProblem& problem) {
  if (compiles) return true;
  problem = {where, found.line, found.message};
  codeProblems.push_back(problem);
  return false;
}

void appendQuoted(std::string& out, const std::string& text) {
  out += '\'';
  appendQuotedText(out, text);
  out += '\'';
}

}  // namespace

void clearCodeProblems() { codeProblems.clear(); }

bool bodyPieceCompiles(const std::string& where, const std::string& code, CodeProblem& problem) {
  JsProblem found;
  return record(compilesAsFunction("", code, found), where, found, problem);
}

bool scriptPieceCompiles(const std::string& where, const std::string& text, CodeProblem& problem) {
  JsProblem found;
  return record(compilesAsScript(text, found), where, found, problem);
}

bool functionPieceCompiles(const std::string& where, const std::string& params, const std::string& code,
                           CodeProblem& problem) {
  JsProblem found;
  return record(compilesAsFunction(params, code, found), where, found, problem);
}

void appendLateText(std::string& out, const std::string& text) { appendQuoted(out, text); }

void appendLatePiece(std::string& out, const CodeProblem& problem, const std::string& code) {
  out += '[';
  appendQuoted(out, problem.where);
  out += ", ";
  appendInt(out, problem.line);
  out += ", ";
  appendQuoted(out, code);
  out += ']';
}

void appendLateScript(std::string& out, const CodeProblem& problem, const std::string& text) {
  out += "zm_late_script(";
  appendQuoted(out, problem.where);
  out += ", ";
  appendInt(out, problem.line);
  out += ", ";
  appendQuoted(out, text);
  out += ");";
}

std::string codeProblemsWarning() {
  if (codeProblems.empty()) return "";
  constexpr size_t shown = 5;
  std::string text = codeProblems.size() == 1
                         ? "This code does not compile, and the game runs without it:"
                         : "These " + std::to_string(codeProblems.size()) +
                               " pieces of code do not compile, and the game runs without them:";
  for (size_t i = 0; i < codeProblems.size() && i < shown; ++i) {
    const CodeProblem& p = codeProblems[i];
    text += "\n" + p.where;
    text += p.line == 0 ? ", parameters: " : ", line " + std::to_string(p.line) + ": ";
    text += shownText(p.message);
  }
  if (codeProblems.size() > shown) text += "\nand " + std::to_string(codeProblems.size() - shown) + " more.";
  return text;
}
