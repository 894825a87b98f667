// Each piece of the project's code is compiled on its own, as the text it
// becomes in game.js, before the game is written: a piece that does not
// compile is named with its line, written as text for the runtime to
// compile, and cannot stop or change the rest of the script.
#include "builder/code_check.h"

#include <cstdlib>
#include <functional>

#include "builder/game_files.h"
#include "builder/js_check.h"
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
    {"const big = 10n ** 20n; const million = 1_000_000; const h = 0xFF, bin = 0b101, oct = 0o17;"},
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

TEST_F(CodeCheckTest, ModernCodeInEveryKindOfPieceIsWrittenAsBefore) {
  for (int advanced : {0, 1}) {
    for (const Line& l : modernLines) {
      SCOPED_TRACE(l.code);
      wholeProject();
      projectInfo.advancedscriptmode = advanced;
      scripts[0].code = scripts[1].code = scripts[2].code = l.code;
      scenes[0].code = fns[0].code = l.code;
      if (!l.body) {
        projectInfo.variables += "\r\n" + std::string(l.code);
        projectInfo.functions = l.code;
        writeFile("Extensions/lib.tex", std::string("[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\n") + l.code + "\n");
      }
      loadExtensions();
      std::string game = fillTemplate(exportTemplate);
      EXPECT_TRUE(codeProblems.empty()) << codeProblems[0].where << ": " << codeProblems[0].message;
      EXPECT_EQ(game.find("zm_late_function('"), std::string::npos);
      EXPECT_EQ(game.find("zm_late_script('"), std::string::npos);
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
            "These 8 pieces of code do not compile, and the game runs without them:\n"
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
  EXPECT_EQ(messages[0].second, "This code does not compile, and the game runs without it:\nobject " +
                                    longName.substr(0, 60) + "..., event Step, line 1: missing ) after condition");

  // Mended, the next write says nothing.
  wholeProject();
  messages.clear();
  ASSERT_TRUE(generateGameFiles());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(codeProblems.empty());
}

}  // namespace
