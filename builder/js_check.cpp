#include "builder/js_check.h"

#include <jsapi.h>
#include <js/CallAndConstruct.h>
#include <js/CompilationAndEvaluation.h>
#include <js/ErrorReport.h>
#include <js/Exception.h>
#include <js/friend/ErrorMessages.h>
#include <js/Initialization.h>
#include <js/PropertyAndElement.h>
#include <js/SourceText.h>

#include <algorithm>
#include <cstdlib>

namespace {

JSClass globalClass = {"global", JSCLASS_GLOBAL_FLAGS, &JS::DefaultGlobalClassOps, nullptr, nullptr,
                       nullptr};

struct Engine {
  JSContext* cx = nullptr;
  JS::PersistentRootedObject* global = nullptr;
};
Engine engine;
bool engineFailed = false;

// The engine's helper threads must be gone before the process's own
// destructors run, or they find their locks still held.
void stopEngine() {
  delete engine.global;
  engine.global = nullptr;
  JS_DestroyContext(engine.cx);
  engine.cx = nullptr;
  JS_ShutDown();
}

// Started at the first check, once for the process.
bool startEngine() {
  if (engine.cx) return true;
  if (engineFailed || !JS_Init()) {
    engineFailed = true;
    return false;
  }
  engine.cx = JS_NewContext(JS::DefaultHeapMaxBytes);
  if (!engine.cx) {
    engineFailed = true;
    return false;
  }
  // Deeply nested code gets "too much recursion" instead of running the
  // parser off the end of the stack.
  JS_SetNativeStackQuota(engine.cx, 1024 * 1024);
  if (!JS::InitSelfHostedCode(engine.cx)) {
    engineFailed = true;
    return false;
  }
  JS::RealmOptions options;
  engine.global = new JS::PersistentRootedObject(
      engine.cx, JS_NewGlobalObject(engine.cx, &globalClass, nullptr, JS::FireOnNewGlobalHook, options));
  if (!*engine.global) {
    engineFailed = true;
    return false;
  }
  std::atexit(stopEngine);
  return true;
}

// The length of the line end that starts at i; 0 for none.
size_t lineEndAt(std::string_view text, size_t i) {
  char c = text[i];
  if (c == '\n') return 1;
  if (c == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
      (text[i + 2] == '\xA8' || text[i + 2] == '\xA9'))
    return 3;
  return 0;
}

// The line of the text's last character that is not blank: an error found
// at the end of the text, or at the closing brace the engine adds after a
// body, is shown there.
int lastLine(std::string_view text) {
  int line = 1, last = 1;
  for (size_t i = 0; i < text.size();) {
    if (size_t end = lineEndAt(text, i)) {
      ++line;
      i += end;
      continue;
    }
    if (text[i] != ' ' && text[i] != '\t') last = line;
    ++i;
  }
  return last;
}

// Returns the engine's own line, in the text it compiled.
int takeProblem(JSContext* cx, std::string_view text, int lineOffset, JsProblem& problem) {
  problem = JsProblem();
  problem.line = 1;
  JS::ExceptionStack stack(cx);
  if (!JS::StealPendingExceptionStack(cx, &stack)) {
    problem.message = "the engine gave no reason";
    return 0;
  }
  JS::ErrorReportBuilder report(cx);
  if (!report.init(cx, stack, JS::ErrorReportBuilder::NoSideEffects) || !report.report()) {
    problem.message = "the engine gave no reason";
    return 0;
  }
  const JSErrorReport* r = report.report();
  int line = int(r->lineno) - lineOffset;
  problem.line = line < 1 ? 1 : std::min(line, lastLine(text));
  problem.message = r->message() ? r->message().c_str() : "";
  if (r->errorNumber == JSMSG_REDECLARED_VAR && r->notes) {
    for (auto&& note : *r->notes) {
      if (note->errorNumber != JSMSG_REDECLARED_PREV) continue;
      int first = int(note->lineno) - lineOffset;
      problem.firstDeclared = first < 1 ? 0 : first;
    }
  }
  return int(r->lineno);
}

// An engine that cannot start takes every text: the game is written as
// before, and the browser stays the judge.
template <typename Compile>
bool check(std::string_view text, int lineOffset, JsProblem& problem, Compile compile,
           int* engineLine = nullptr) {
  problem = JsProblem();
  if (!startEngine()) return true;
  JSContext* cx = engine.cx;
  JSAutoRealm realm(cx, *engine.global);
  if (compile(cx)) return true;
  int line = takeProblem(cx, text, lineOffset, problem);
  if (engineLine) *engineLine = line;
  return false;
}

JSString* newString(JSContext* cx, std::string_view text) {
  return JS_NewStringCopyUTF8N(cx, JS::UTF8Chars(text.data(), text.size()));
}

}  // namespace

int lineEnds(std::string_view text) {
  int ends = 0;
  for (size_t i = 0; i < text.size();) {
    size_t end = lineEndAt(text, i);
    ends += end > 0;
    i += end > 0 ? end : 1;
  }
  return ends;
}

size_t lineStart(std::string_view text, int line) {
  size_t i = 0;
  for (int at = 1; at < line && i < text.size();) {
    size_t end = lineEndAt(text, i);
    at += end > 0;
    i += end > 0 ? end : 1;
  }
  return i;
}

bool compilesAsFunction(std::string_view params, std::string_view body, JsProblem& problem) {
  // The engine's own Function constructor, called with two texts: it
  // compiles "function anonymous(PARAMS\n) {\nBODY\n}" and runs none of it.
  const int paramLines = lineEnds(params) + 1;
  int engineLine = 0;
  bool compiles = check(body, paramLines + 1, problem, [&](JSContext* cx) {
    JS::RootedObject global(cx, *engine.global);
    JS::RootedValue function(cx);
    JS::RootedValueArray<2> args(cx);
    JSString* paramText = newString(cx, params);
    if (!paramText) return false;
    args[0].setString(paramText);
    JSString* bodyText = newString(cx, body);
    if (!bodyText) return false;
    args[1].setString(bodyText);
    JS::RootedObject made(cx);
    return JS_GetProperty(cx, global, "Function", &function) && JS::Construct(cx, function, args, &made);
  }, &engineLine);
  if (!compiles && engineLine >= 1 && engineLine <= paramLines) problem.line = 0;
  return compiles;
}

bool compilesAsScript(std::string_view text, JsProblem& problem) {
  return check(text, 0, problem, [&](JSContext* cx) {
    JS::CompileOptions options(cx);
    options.setFileAndLine("piece", 1);
    JS::SourceText<mozilla::Utf8Unit> source;
    return source.init(cx, text.data(), text.size(), JS::SourceOwnership::Borrowed) &&
           JS::Compile(cx, options, source) != nullptr;
  });
}
