// The filled game.js compiled once as the one script it is. Pieces of the
// top level that each compile can still clash: a global `let max` where the
// runtime declares function max, a `let` of a resource's name, or two texts
// that declare one name with let or class. A clash stops the whole script,
// so each piece that breaks it is written late instead (zm_late_script): a
// script of its own, which costs only itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "builder/code_check.h"

// A piece of the project's code that a section writes at the top level
// (an extension, a global text, a function), found to compile alone.
struct TopLevelPiece {
  std::string where;
  size_t begin = 0, end = 0;   // its text within the section's
  int codeLine = 1;            // the line of that text where its own code starts
};

// What the section being generated holds at the top level; fillTemplate
// takes it after each section.
struct SectionPieces {
  std::vector<TopLevelPiece> pieces;
  bool holdsCode = false;   // any of the project's code at the top level
  // Goes at the start of the first section that holds code: the functions
  // compiled late, so that code anywhere at the top level finds them, as it
  // finds a declaration anywhere.
  std::string early;
};
extern SectionPieces sectionPieces;

// Append a piece that compiled alone and note its place; or one that did
// not, written late.
void appendTopLevelPiece(std::string& out, const std::string& where, const std::string& text, int codeLine = 1);
void appendLateTopLevel(std::string& out, const CodeProblem& problem, const std::string& text);

// A part of the filled template: a text of the template's own, or a section
// with what it holds.
struct GamePart {
  std::string_view text;
  const SectionPieces* held = nullptr;
};

// The parts joined, the early texts at their place. When
// the whole does not compile, each piece that breaks it is written late and
// added to codeProblems; a template that does not compile even without them
// is no fault of theirs, and the game is written as it stands.
std::string joinGame(const std::vector<GamePart>& parts);
