#include "builder/top_level_check.h"

#include <algorithm>

#include "builder/code_check.h"
#include "builder/js_check.h"

SectionPieces sectionPieces;

namespace {

// A piece where the joined text holds it.
struct Placed {
  const TopLevelPiece* piece = nullptr;
  std::string_view text;        // as its section writes it
  size_t begin = 0, end = 0;    // in the joined text
};

// The parts joined; a placed piece with a problem in `late` is written late.
std::string join(const std::vector<GamePart>& parts, const std::vector<const CodeProblem*>& late,
                 std::vector<Placed>& placed) {
  std::string early;
  size_t total = 0;
  for (const GamePart& part : parts) {
    total += part.text.size();
    if (part.held) early += part.held->early;
  }
  std::string out;
  out.reserve(total + early.size());
  placed.clear();
  for (const GamePart& part : parts) {
    if (!part.held) {
      out += part.text;
      continue;
    }
    if (part.held->holdsCode) {
      out += early;
      early.clear();
    }
    size_t at = 0;
    for (const TopLevelPiece& piece : part.held->pieces) {
      out.append(part.text.substr(at, piece.begin - at));
      Placed& p = placed.emplace_back();
      p.piece = &piece;
      p.text = part.text.substr(piece.begin, piece.end - piece.begin);
      p.begin = out.size();
      const size_t k = placed.size() - 1;
      if (k < late.size() && late[k]) appendLateScript(out, *late[k], std::string(p.text));
      else out += p.text;
      p.end = out.size();
      at = piece.end;
    }
    out.append(part.text.substr(at));
  }
  return out;
}

// The line within the piece's own code of a line of the joined text; 0 when
// the piece does not hold it.
int lineWithin(std::string_view text, const Placed& p, int line) {
  if (line < 1 || p.begin == p.end) return 0;
  const size_t start = lineStart(text, line), end = lineStart(text, line + 1);
  if (start == end || p.begin >= end || p.end <= start) return 0;
  const int within = 1 + lineEnds(text.substr(p.begin, std::max(start, p.begin) - p.begin));
  return std::max(within - (p.piece->codeLine - 1), 1);
}

// The piece that holds the line, written inline or any; -1 for none.
int pieceAt(std::string_view text, const std::vector<Placed>& placed,
            const std::vector<const CodeProblem*>& late, int line, bool inlineOnly, int& within) {
  for (size_t k = 0; k < placed.size(); ++k) {
    if (inlineOnly && late[k]) continue;
    within = lineWithin(text, placed[k], line);
    if (within > 0) return int(k);
  }
  return -1;
}

// Piece k, found at `line` of the text, in the engine's words; a name
// declared twice also says where the other declaration is.
CodeProblem problemOf(std::string_view text, const std::vector<Placed>& placed,
                      const std::vector<const CodeProblem*>& late, size_t k, int line, bool byFirst,
                      const JsProblem& found) {
  CodeProblem problem = {placed[k].piece->where, line, found.message, ""};
  if (found.firstDeclared == 0) return problem;
  int within = 0;
  const int j = pieceAt(text, placed, late, byFirst ? found.line : found.firstDeclared, false, within);
  if (j < 0)
    problem.other = "the game itself declares this name";
  else if (size_t(j) != k)
    problem.other = "also declared in " + placed[size_t(j)].piece->where + ", line " + std::to_string(within);
  return problem;
}

}  // namespace

void appendTopLevelPiece(std::string& out, const std::string& where, const std::string& text, int codeLine) {
  TopLevelPiece& piece = sectionPieces.pieces.emplace_back();
  piece.where = where;
  piece.begin = out.size();
  out += text;
  piece.end = out.size();
  piece.codeLine = codeLine;
  sectionPieces.holdsCode = true;
}

void appendLateTopLevel(std::string& out, const CodeProblem& problem, const std::string& text) {
  appendLateScript(out, problem, text);
  sectionPieces.holdsCode = true;
}

std::string joinGame(const std::vector<GamePart>& parts) {
  std::vector<Placed> placed;
  std::vector<const CodeProblem*> late;
  std::string text = join(parts, late, placed);
  JsProblem found;
  if (compilesAsScript(text, found)) return text;
  // With every piece late, the rest is the template's and the generated
  // sections'; a template that does not compile even so is no fault of the
  // project's code, and the game is written as it stands.
  std::vector<CodeProblem> problems(placed.size());
  late.resize(placed.size());
  for (size_t k = 0; k < placed.size(); ++k) late[k] = &problems[k];
  std::vector<Placed> without;
  JsProblem ignored;
  if (!compilesAsScript(join(parts, late, without), ignored)) return text;
  late.assign(placed.size(), nullptr);
  auto finish = [&] {
    text = join(parts, late, placed);
    for (size_t k = 0; k < placed.size(); ++k)
      if (late[k]) codeProblems.push_back(problems[k]);
    return text;
  };
  // Most often the engine's line is in the piece that breaks the script:
  // the second declaration of a name. Where that line is the game's own (a
  // resource declared after the piece), the first declaration is.
  for (;;) {
    int line = 0, k = pieceAt(text, placed, late, found.line, true, line);
    const bool byFirst = k < 0;
    if (byFirst) k = pieceAt(text, placed, late, found.firstDeclared, true, line);
    if (k < 0) break;
    problems[size_t(k)] = problemOf(text, placed, late, size_t(k), line, byFirst, found);
    late[size_t(k)] = &problems[size_t(k)];
    text = join(parts, late, placed);
    if (compilesAsScript(text, found)) return finish();
  }
  // Else each piece still inline is put back in turn onto a game with all
  // of them late; one that breaks it stays late.
  std::vector<size_t> tried;
  for (size_t k = 0; k < placed.size(); ++k) {
    if (late[k]) continue;
    tried.push_back(k);
    late[k] = &problems[k];
  }
  for (size_t k : tried) {
    late[k] = nullptr;
    text = join(parts, late, placed);
    if (compilesAsScript(text, found)) continue;
    int line = lineWithin(text, placed[k], found.line);
    const bool byFirst = line == 0;
    if (byFirst) line = std::max(lineWithin(text, placed[k], found.firstDeclared), 1);
    problems[k] = problemOf(text, placed, late, k, line, byFirst, found);
    late[k] = &problems[k];
  }
  return finish();
}
