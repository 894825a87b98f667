#include "builder/code_check.h"

#include <algorithm>

#include "builder/js_check.h"
#include "builder/js_text.h"
#include "project/message_texts.h"

std::vector<CodeProblem> codeProblems;

namespace {

bool record(bool compiles, const std::string& where, const JsProblem& found, CodeProblem& problem) {
  if (compiles) return true;
  problem = {where, found.line, found.message, ""};
  codeProblems.push_back(problem);
  return false;
}

void appendQuoted(std::string& out, const std::string& text) {
  out += '\'';
  appendQuotedText(out, text);
  out += '\'';
}

// The body of the fixed lines and of the pieces marked in `use`.
std::string bodyOf(const std::vector<BodyPart>& parts, const std::vector<bool>& use) {
  std::string body;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!use[i]) continue;
    body += parts[i].text;
    if (!parts[i].where.empty()) body += CRLF;
  }
  return body;
}

// The line within piece `at` of a line of the body, or 0 outside it.
int lineWithin(const std::vector<BodyPart>& parts, const std::vector<bool>& use, size_t at, int line) {
  int first = 1;
  for (size_t i = 0; i < at; ++i)
    if (use[i]) first += lineEnds(parts[i].text) + (parts[i].where.empty() ? 0 : 1);
  const int within = line - first + 1;
  return within >= 1 && within <= lineEnds(parts[at].text) + 1 ? within : 0;
}

}  // namespace

void clearCodeProblems() { codeProblems.clear(); }

bool bodyPieceCompiles(const std::string& where, const std::string& code, CodeProblem& problem) {
  // An empty statement on a line of its own ends the directives; the
  // runtime checks a piece the same way.
  JsProblem found;
  const bool compiles = compilesAsFunction("", ";\n" + code, found);
  found.line = std::max(found.line - 1, 1);
  return record(compiles, where, found, problem);
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

bool bodyPartsCompile(std::vector<BodyPart>& parts) {
  bool all = true;
  size_t pieces = 0;
  std::vector<bool> use(parts.size());
  for (size_t i = 0; i < parts.size(); ++i) {
    BodyPart& part = parts[i];
    if (!part.where.empty()) {
      part.compiles = bodyPieceCompiles(part.where, part.text, part.problem);
      all = all && part.compiles;
      pieces += part.compiles;
    }
    use[i] = part.compiles;
  }
  if (pieces == 0) return all;
  // A lone piece differs from itself alone only by a directive, where it
  // opens the body, or by a function it declares inside the block it stands
  // in (lexical there, so a var of its name clashes): without either word
  // there is nothing more to find.
  if (pieces == 1) {
    const auto lone = std::find_if(parts.begin(), parts.end(),
                                   [](const BodyPart& p) { return !p.where.empty() && p.compiles; });
    if (lone->text.find("use strict") == std::string::npos && lone->text.find("function") == std::string::npos)
      return all;
  }
  JsProblem found;
  if (compilesAsFunction("", bodyOf(parts, use), found)) return all;
  // As the runtime does it: the fixed lines alone, then each piece added in
  // turn; one that breaks what stands so far stays out.
  for (size_t i = 0; i < parts.size(); ++i) use[i] = parts[i].where.empty();
  for (size_t i = 0; i < parts.size(); ++i) {
    BodyPart& part = parts[i];
    if (part.where.empty() || !part.compiles) continue;
    use[i] = true;
    if (compilesAsFunction("", bodyOf(parts, use), found)) continue;
    int line = lineWithin(parts, use, i, found.line);
    if (line == 0) line = std::max(lineWithin(parts, use, i, found.firstDeclared), 1);
    use[i] = false;
    part.compiles = false;
    all = false;
    found.line = line;
    record(false, part.where, found, part.problem);
  }
  return all;
}

void appendBody(std::string& out, const std::vector<BodyPart>& parts) {
  for (const BodyPart& part : parts) {
    out += part.text;
    if (!part.where.empty()) out += CRLF;
  }
}

void appendLateBody(std::string& out, const std::vector<BodyPart>& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    const BodyPart& part = parts[i];
    if (i > 0) out += ", ";
    if (part.where.empty()) appendLateText(out, part.text);
    else if (part.compiles) appendLateText(out, part.text + std::string(CRLF));
    else appendLatePiece(out, part.problem, part.text);
  }
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
  // The browser is the judge: it takes syntax newer than the engine here.
  std::string text = codeProblems.size() == 1
                         ? "Zembrik could not compile this code. If the browser refuses it too, the game runs "
                           "without it:"
                         : "Zembrik could not compile these " + std::to_string(codeProblems.size()) +
                               " pieces of code. The game runs without each one that the browser refuses too:";
  for (size_t i = 0; i < codeProblems.size() && i < shown; ++i) {
    const CodeProblem& p = codeProblems[i];
    text += "\n" + p.where;
    text += p.line == 0 ? ", parameters: " : ", line " + std::to_string(p.line) + ": ";
    text += shownText(p.message);
    if (!p.other.empty()) text += "; " + p.other;
  }
  if (codeProblems.size() > shown) text += "\nand " + std::to_string(codeProblems.size() - shown) + " more.";
  return text;
}
