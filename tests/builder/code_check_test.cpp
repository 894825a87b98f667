// Each piece of the project's code is compiled on its own, as the text it
// becomes in game.js, before the game is written: a piece that does not
// compile is named with its line, written as text for the runtime to
// compile, and cannot stop or change the rest of the script.
#include "builder/code_check.h"

#include <cstdlib>
#include <functional>

#include "builder/game_files.h"
#include "builder/js_check.h"
#include "builder/top_level_check.h"
#include "builder_fixture.h"

namespace {

// Syntax the browser takes, each as an event would hold it. Those marked
// `body` hold a return or a function's own words and are no whole script.
struct Line {
  const char* code;
  bool body = false;
};
const Line modernLines[] = {
    {"let a = 1; const b = 2; a += b;"},
    {"const f = (x, y = 2) => x * y; const g = async () => { await f(1); };"},
    {"class A { constructor() { this.v = 1; } get w() { return this.v; } static make() { return new A(); } }"},
    {"class B extends Array { m() { return super.length; } }"},
    {"class C { x = 1; #p = 2; static s = 3; static { C.t = 4; } #m() {} has(o) { return #p in o; } }"},
    {"const t = `total ${1 + 2} and ${`inner ${3}`}`; const tagged = String.raw`a\\b`;"},
    {"const {a, b: [c, ...rest], d = 4, ...others} = {a: 1, b: [2, 3]}; [a, c] = [c, a];"},
    {"const o = {x: {y: null}}; const v = o?.x?.y ?? 'none'; o.f?.(); o?.[0];"},
    {"let n = null; n ||= 1; n &&= 2; n ?\?= 3; n **= 2;"},
    {"const big = 10n ** 20n; const million = 1_000_000; const hex = 0xFF, bin = 0b101, oct = 0o17;"},
    {"const merged = {...{a: 1}, b: 2, ['c' + 1]: 3, m() {}, get g() { return 1; }};"},
    {"try { JSON.parse('x'); } catch { } finally { }"},
    {"for (const [k, v] of Object.entries({a: 1})) {} for (const k in {a: 1}) {} label: for (;;) { break label; }"},
    {"function* gen() { yield* [1, 2]; } async function run() { for await (const x of []) {} }"},
    {"const re = /(?<year>\\d{4})-(?<=a)b(?<!c)d/gsu; const m = 'x'.match(re)?.groups;"},
    {"import('data:text/javascript,').catch(() => {});"},
    {"with (Math) { x = PI; }"},
    {"x = 08; y = 010; if (x) function sloppy() {}"},
    {"<!-- an old page's comment\nx = 1;\n--> another"},
    {"return x > 1;", true},
    {"if (new.target) return;", true},
};

TEST(JsCheck, SyntaxTheBrowserTakesIsNeverRefused) {
  for (const Line& l : modernLines) {
    JsProblem problem;
    EXPECT_TRUE(compilesAsFunction("", l.code, problem)) << l.code << ": " << problem.message;
    if (!l.body) {
      EXPECT_TRUE(compilesAsScript(l.code, problem)) << l.code << ": " << problem.message;
    }
  }
}

// The line is the piece's own, from 1; what the engine finds past the end
// of the text, or at the brace it adds after a body, is shown on the last
// line that holds anything.
TEST(JsCheck, RefusesWhatTheBrowserRefusesAtItsLine) {
  struct Case {
    std::string code;
    bool body;
    int line;
  } cases[] = {
      {"if (x > 100 {", true, 1},
      {"x += 1;\r\nif (x > 100 {\r\nx = 0;", true, 2},
      {"x += 1;\n}", true, 2},
      {"if (x) {\n  x = 1;\n\n  \n", true, 2},
      {"a = 1;\r\rb c", true, 3},
      {"a = 1;\xE2\x80\xA8" "b c", true, 2},
      {"let a; let a;", true, 1},
      {"break;", true, 1},
      {"x = /(/;", true, 1},
      {"super.x;", true, 1},
      {"await f();", true, 1},
      {"1 = 2;", true, 1},
      {"'use strict'; with (a) {}", true, 1},
      {"x = 'no end\ny = 1;", true, 1},
      {"var a = 1;\r\nreturn a;", false, 2},
      {"}\r\nfunction f() {", false, 1},
      {std::string(5000, '['), true, 1},
  };
  for (const Case& c : cases) {
    JsProblem problem;
    bool compiles = c.body ? compilesAsFunction("", c.code, problem) : compilesAsScript(c.code, problem);
    const std::string shown = c.code.substr(0, 40);
    EXPECT_FALSE(compiles) << shown;
    EXPECT_EQ(problem.line, c.line) << shown << ": " << problem.message;
    EXPECT_FALSE(problem.message.empty()) << shown;
  }
}

// Where the engine's line is the template's own and no first declaration
// points at a piece, each piece is put back in turn onto a game with all of
// them late, and one that breaks it stays late.
TEST(TopLevelCheck, APieceThatBreaksTheTemplateAfterItIsFoundByPuttingItBack) {
  clearCodeProblems();
  std::string first, second;
  sectionPieces = SectionPieces();
  appendTopLevelPiece(first, "extension Lib", "var a = 1;\n");
  const SectionPieces firstHeld = sectionPieces;
  sectionPieces = SectionPieces();
  appendTopLevelPiece(second, "global functions", "x = 1 //");
  const SectionPieces secondHeld = sectionPieces;
  const std::vector<GamePart> parts = {{first, &firstHeld}, {"if (a) {\n"}, {second, &secondHeld}, {" }\nvar ok;\n"}};
  EXPECT_EQ(joinGame(parts), "var a = 1;\nif (a) {\nzm_late_script('global functions', 1, 'x = 1 //'); }\nvar ok;\n");
  ASSERT_EQ(codeProblems.size(), 1u);
  EXPECT_EQ(codeProblems[0].where, "global functions");
  EXPECT_EQ(codeProblems[0].line, 1);
  EXPECT_FALSE(codeProblems[0].message.empty());
  clearCodeProblems();
}

// Runs node on the file; "" when it passes, else what node said.
std::string nodeSays(const std::string& args) {
  int rc = std::system(("node " + args + " > node.out 2>&1").c_str());
  std::string out;
  readFile("node.out", out);
  return rc == 0 ? "" : out.empty() ? "failed" : out;
}

class CodeCheckTest : public BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    std::string stub;
    ASSERT_TRUE(readFile(std::string(ZM_BUILDER_TEMPLATES) + "runtime_stub.js", stub));
    writeFile("export.js", stub);
    loadRuntimeTemplate();
    projectName = "game";
    makeFolder("Projects/game");
    makeFolder("Extensions");
  }

  // Two objects, a scene, a function, the global texts and an extension,
  // all of code that compiles; `ok_*` counts each piece that ran.
  void wholeProject() {
    clearProjectTables();
    object("obj_a");
    object("obj_b");
    script("obj_a", "Step", "ok_a += 1;");
    script("obj_a", "Collision", "ok_a += 1;", "obj_b");
    script("obj_a", "Draw", "ok_a += 1;");
    script("obj_b", "Step", "ok_b += 1;");
    scene("room").code = "ok_scene += 1;";
    instance("SceneObject1", "obj_a", "room", 0, 0);
    instance("SceneObject2", "obj_b", "room", 0, 0);
    newFunction();
    fns.back() = {"add", "p_, q_", "", "return p_ + q_;"};
    projectInfo.variables = "var ok_a = 0, ok_b = 0, ok_scene = 0;";
    projectInfo.functions = "function twice(x) { return add(x, x); }";
    writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nvar lib = 1;\n");
    writeFile("Projects/game/extensions.dat", "lib\n");
  }
};

// A line at the top level stands in one text at a time: its declarations
// in two would clash.
TEST_F(CodeCheckTest, ModernCodeInEveryKindOfPieceIsWrittenAsBefore) {
  for (int advanced : {0, 1}) {
    for (const Line& l : modernLines) {
      for (int topLevel = 0; topLevel < 3; ++topLevel) {
        SCOPED_TRACE(l.code);
        wholeProject();
        projectInfo.advancedscriptmode = advanced;
        scripts[0].code = scripts[1].code = scripts[2].code = l.code;
        scenes[0].code = fns[0].code = l.code;
        if (!l.body && topLevel == 0) projectInfo.variables += "\r\n" + std::string(l.code);
        if (!l.body && topLevel == 1) projectInfo.functions = l.code;
        if (!l.body && topLevel == 2)
          writeFile("Extensions/lib.tex", std::string("[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\n") + l.code + "\n");
        loadExtensions();
        std::string game = fillTemplate(exportTemplate);
        EXPECT_TRUE(codeProblems.empty()) << codeProblems[0].where << ": " << codeProblems[0].message;
        EXPECT_EQ(game.find("zm_late_function('"), std::string::npos);
        EXPECT_EQ(game.find("zm_late_script('"), std::string::npos);
      }
    }
  }
}

// Each piece that does not compile is named with its line, and the game
// around it is still one script that parses and runs; the other pieces are
// written as they would be without it.
TEST_F(CodeCheckTest, APieceThatDoesNotCompileIsNamedAndLeavesTheRestWhole) {
  std::string node;
  if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  struct Case {
    const char* where;
    int line;
    std::function<void()> spoil;
    bool runs = true;
  } cases[] = {
      {"object obj_a, event Step", 2, [] { scripts[0].code = "x += 1;\r\nif (x > 100 {"; }},
      {"object obj_a, event Step", 1, [] { scripts[0].code = "x += 1; }"; }},
      {"object obj_a, event Step", 2, [] { scripts[0].code = "if (x) {\r\n  x = 1;"; }},
      {"object obj_a, event Collision with obj_b", 1, [] { scripts[1].code = "} if (other) {"; }},
      {"object obj_a, event Draw", 1, [] { scripts[2].code = "draw_text(0, 0, 'a' ;"; }},
      {"scene room", 3, [] { scenes[0].code = "a = 1;\n\nb c"; }},
      {"function add", 1, [] { fns[0].code = "return p_ + ;"; }},
      {"function add", 0, [] { fns[0].params = "p_, ("; }},
      {"function add", 0, [] { fns[0].params = "p_) { return 1; } function g(q_"; }},
      // Without its variables the game could not run, so it is only read.
      {"global variables", 2, [] { projectInfo.variables += "\r\nreturn;"; }, false},
      {"global functions", 1, [] { projectInfo.functions = "}\r\nfunction f() {"; }},
      {"extension Lib", 2, [] {
         writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nvar lib = (;\n");
       }},
  };
  for (int advanced : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.where) + (advanced ? ", advanced" : ""));
      wholeProject();
      projectInfo.advancedscriptmode = advanced;
      c.spoil();
      ASSERT_TRUE(generateGameFiles());
      EXPECT_EQ(nodeSays("--check Projects/game/game.js"), "");
      if (c.runs) {
        EXPECT_EQ(nodeSays("Projects/game/game.js"), "");
      }
      if (codeProblems.size() != 1) {
        ADD_FAILURE() << codeProblems.size() << " problems";
        continue;
      }
      EXPECT_EQ(codeProblems[0].where, c.where);
      EXPECT_EQ(codeProblems[0].line, c.line) << codeProblems[0].message;
      std::string game = slurp("Projects/game/game.js");
      const std::string otherObject = advanced ? "this.on_step = function() {\r\nok_b += 1;\r\n};\r\n"
                                               : "this.on_step = function() {\r\nwith(this) {\r\nok_b += 1;\r\n}\r\n};\r\n";
      EXPECT_NE(game.find(otherObject), std::string::npos);
    }
  }
}

// A handler is judged as its pieces stand together, inside their wrapper:
// pieces that each compile but declare one name, or a piece that does not
// compile where it stands, are named, and only that piece is left out.
TEST_F(CodeCheckTest, AHandlerIsJudgedAsItsPiecesStandTogether) {
  std::string node;
  if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  constexpr int BOTH = -1, NONE = -1;
  struct Case {
    int advanced;
    std::vector<std::string> steps;   // obj_a's Step pieces
    int named = NONE;                 // the piece named
    int line = 0;
    const char* message = "";
  } cases[] = {
      {BOTH, {"let n = 1; ok_a += n;", "let n = 2;"}, 1, 1, "redeclaration of let n"},
      {BOTH, {"class K {}", "ok_a += 1;\r\nfunction K() {}"}, 1, 2, "redeclaration of class K"},
      {BOTH, {"let n = 1;", "x = 1;", "const n = 3;", "let m = n;"}, 2, 1, "redeclaration of let n"},
      {BOTH, {"var n = 1;", "var n = 2;"}},
      // Nothing wraps the first piece: its directive makes the handler strict.
      {1, {"'use strict'; ok_a += 1;", "x = 010;"}, 1, 1,
       "\"0\"-prefixed octal literals are deprecated; use the \"0o\" prefix instead"},
      {1, {"\"use strict\"; x = 010;"}, 0, 1,
       "\"0\"-prefixed octal literals are deprecated; use the \"0o\" prefix instead"},
      // Inside with(this) { a directive is only a text, and a function is
      // declared in the block.
      {0, {"'use strict'; ok_a += 1;", "x = 010;"}},
      {0, {"\"use strict\"; x = 010;"}},
      {0, {"var q = 1; function q() {}"}, 0, 1, "redeclaration of var q"},
      {1, {"var q = 1; function q() {}"}},
      {0, {"ok_a += 1;\r\nvar g; function* g() {}"}, 0, 2, "redeclaration of var g"},
  };
  for (const Case& c : cases) {
    for (int advanced : {0, 1}) {
      if (c.advanced != BOTH && c.advanced != advanced) continue;
      SCOPED_TRACE(c.steps.back() + (advanced ? ", advanced" : ""));
      wholeProject();
      projectInfo.advancedscriptmode = advanced;
      scripts[0].code = c.steps[0];
      for (size_t i = 1; i < c.steps.size(); ++i) script("obj_a", "Step", c.steps[i]);
      ASSERT_TRUE(generateGameFiles());
      EXPECT_EQ(nodeSays("--check Projects/game/game.js"), "");
      EXPECT_EQ(nodeSays("Projects/game/game.js"), "");
      const std::string game = slurp("Projects/game/game.js");
      if (c.named == NONE) {
        EXPECT_TRUE(codeProblems.empty()) << codeProblems[0].message;
        EXPECT_EQ(game.find("= zm_late_function("), std::string::npos);
        continue;
      }
      ASSERT_EQ(codeProblems.size(), 1u);
      EXPECT_EQ(codeProblems[0].where, "object obj_a, event Step");
      EXPECT_EQ(codeProblems[0].line, c.line);
      EXPECT_EQ(codeProblems[0].message, c.message);
      // The named piece goes as one the runtime checks; the others as text.
      std::string named;
      appendLatePiece(named, codeProblems[0], c.steps[size_t(c.named)]);
      EXPECT_NE(game.find("this.on_step = zm_late_function('', ["), std::string::npos);
      EXPECT_NE(game.find(named), std::string::npos);
      for (size_t i = 0; i < c.steps.size(); ++i) {
        std::string text;
        appendLateText(text, c.steps[i] + "\r\n");
        if (int(i) != c.named) {
          EXPECT_NE(game.find(text), std::string::npos) << c.steps[i];
        }
      }
    }
  }
  // Each collision stands in a block of its own.
  wholeProject();
  script("obj_a", "Collision", "let hit = 1;", "obj_b");
  scripts[1].code = "let hit = 2;";
  fillTemplate(exportTemplate);
  EXPECT_TRUE(codeProblems.empty());
}

// The whole game is compiled once more as one script. Top-level pieces that
// each compile but clash, with each other or with a name that the runtime
// or a resource declares, are named and written late, each a script of its
// own; the rest is written as before.
TEST_F(CodeCheckTest, TopLevelPiecesThatClashAreNamedAndWrittenLate) {
  std::string node, runtime;
  if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  ASSERT_TRUE(readFile(ZM_RUNTIME_TEMPLATE, runtime));
  auto extension = [](const std::string& code) {
    writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nvar lib = 1;\n" + code + "\n");
  };
  struct Case {
    const char* where;
    int line;
    const char* message;
    const char* other;
    std::function<void()> spoil;
  } cases[] = {
      {"global variables", 2, "redeclaration of function max", "the game itself declares this name",
       [] { projectInfo.variables += "\r\nlet max = 10;"; }},
      // An extension's code starts with the empty line of its header.
      {"extension Lib", 3, "redeclaration of let spr_ship", "the game itself declares this name",
       [&] {
         sprite("spr_ship");
         extension("let spr_ship = 2;");
       }},
      {"global variables", 2, "redeclaration of class Shape", "also declared in global functions, line 3",
       [] {
         projectInfo.functions += "\r\n\r\nclass Shape {}";
         projectInfo.variables += "\r\nlet Shape = 1;";
       }},
      {"global functions", 1, "redeclaration of let n", "also declared in extension Lib, line 3",
       [&] {
         extension("let n = 1;");
         projectInfo.functions = "const n = 2;";
       }},
      {"function add", 1, "redeclaration of let add", "also declared in extension Lib, line 3",
       [&] { extension("let add = 1;"); }},
      // The engine's Function constructor ends the list with a line end.
      {"function add", 1, "missing ) after formal parameters", "", [] { fns[0].params = "p_, q_ // the two"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    writeFile("export.js", runtime);
    loadRuntimeTemplate();
    wholeProject();
    c.spoil();
    loadExtensions();
    messages.clear();
    ASSERT_TRUE(generateGameFiles());
    EXPECT_EQ(nodeSays("--check Projects/game/game.js"), "");
    ASSERT_EQ(codeProblems.size(), 1u);
    EXPECT_EQ(codeProblems[0].where, c.where);
    EXPECT_EQ(codeProblems[0].line, c.line);
    EXPECT_EQ(codeProblems[0].message, c.message);
    EXPECT_EQ(codeProblems[0].other, c.other);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "Zembrik could not compile this code. If the browser refuses it too, the game runs "
                                  "without it:\n" + std::string(c.where) + ", line " + std::to_string(c.line) +
                                      ": " + c.message + (*c.other ? "; " + std::string(c.other) : ""));
    const std::string game = slurp("Projects/game/game.js");
    const std::string late = "zm_late_script('" + std::string(c.where) + "', " + std::to_string(c.line) + ", '";
    EXPECT_NE(game.find(late), std::string::npos);
    size_t lateScripts = 0;
    for (size_t at = game.find("zm_late_script('"); at != std::string::npos; at = game.find("zm_late_script('", at + 1))
      ++lateScripts;
    EXPECT_EQ(lateScripts, 1u);
    EXPECT_NE(game.find("this.on_step = function() {\r\nwith(this) {\r\nok_b += 1;\r\n}\r\n};\r\n"),
              std::string::npos);
  }

  // Not even the template compiles: no fault of the project's code, which
  // is written as it stands.
  wholeProject();
  projectInfo.variables = "let n = 1;\r\nlet max = 2;";
  const std::string broken = "function max() {}\r\n(\r\n//ZEMBRIK_GLOBAL_VARIABLES\r\n";
  EXPECT_EQ(fillTemplate(broken), "function max() {}\r\n(\r\n" + projectInfo.variables + "\r\n");
  EXPECT_TRUE(codeProblems.empty());
}

// A function that does not compile is compiled late, before any of the
// project's code at the top level: an extension or a global text that
// calls it while the game loads finds it, as it found the declaration.
TEST_F(CodeCheckTest, ALateFunctionIsThereForTheCodeBeforeIt) {
  std::string node;
  if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  wholeProject();
  fns[0].code = "return p_ + ;";
  writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nvar lib = add(1, 2);\n");
  projectInfo.functions = "var sum = add(3, 4);\r\nfunction twice(x) { return add(x, x); }";
  ASSERT_TRUE(generateGameFiles());
  EXPECT_EQ(nodeSays("Projects/game/game.js"), "");
  const std::string game = slurp("Projects/game/game.js");
  const size_t late = game.find("var add = zm_late_function('p_, q_', [['function add', 1, 'return p_ + ;']]);");
  ASSERT_NE(late, std::string::npos);
  EXPECT_LT(late, game.find("var lib = add(1, 2);"));
  EXPECT_LT(late, game.find("var ok_a = 0"));
  ASSERT_EQ(codeProblems.size(), 1u);
  EXPECT_EQ(codeProblems[0].where, "function add");
}

// The Warning names the first five, each with its line, and counts the rest.
TEST_F(CodeCheckTest, OneWarningNamesTheFirstPiecesThatDoNotCompile) {
  wholeProject();
  scripts[0].code = "x += 1;\r\nif (x > 100 {";
  for (int i = 0; i < 6; ++i) script("obj_b", "Room end", "}");
  fns[0].params = "(";
  ASSERT_TRUE(generateGameFiles());
  EXPECT_EQ(statusTexts, (std::vector<std::string>{"PROJECT SAVED.", "ready after 500"}));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Warning");
  EXPECT_EQ(messages[0].second,
            "Zembrik could not compile these 8 pieces of code. The game runs without each one that the "
            "browser refuses too:\n"
            "function add, parameters: missing formal parameter\n"
            "object obj_a, event Step, line 2: missing ) after condition\n"
            "object obj_b, event Room end, line 1: unexpected garbage after function body, starting with '}'\n"
            "object obj_b, event Room end, line 1: unexpected garbage after function body, starting with '}'\n"
            "object obj_b, event Room end, line 1: unexpected garbage after function body, starting with '}'\n"
            "and 3 more.");
  EXPECT_NE(slurp("Projects/game/game.js").find("zm_late_function"), std::string::npos);
  EXPECT_EQ(fileKind("Projects/game/index.html"), FILE_REGULAR);

  // However long a name, each place still says its event.
  wholeProject();
  messages.clear();
  const std::string longName = "obj_" + std::string(100, 'w');
  object(longName);
  script(longName, "Step", "if (x > 100 {");
  ASSERT_TRUE(generateGameFiles());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].second, "Zembrik could not compile this code. If the browser refuses it too, the game "
                                "runs without it:\nobject " +
                                    longName.substr(0, 60) + "..., event Step, line 1: missing ) after condition");

  // Mended, the next write says nothing.
  wholeProject();
  messages.clear();
  ASSERT_TRUE(generateGameFiles());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(codeProblems.empty());
}

}  // namespace
