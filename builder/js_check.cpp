#include "builder/js_check.h"

#include <jsapi.h>
#include <js/CompilationAndEvaluation.h>
#include <js/ErrorReport.h>
#include <js/Exception.h>
#include <js/Initialization.h>
#include <js/SourceText.h>

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

void takeProblem(JSContext* cx, int lineOffset, JsProblem& problem) {
  problem = JsProblem();
  problem.line = 1;
  JS::ExceptionStack stack(cx);
  if (!JS::StealPendingExceptionStack(cx, &stack)) {
    problem.message = "the engine gave no reason";
    return;
  }
  JS::ErrorReportBuilder report(cx);
  if (!report.init(cx, stack, JS::ErrorReportBuilder::NoSideEffects) || !report.report()) {
    problem.message = "the engine gave no reason";
    return;
  }
  const JSErrorReport* r = report.report();
  int line = int(r->lineno) - lineOffset;
  problem.line = line < 1 ? 1 : line;
  problem.message = r->message() ? r->message().c_str() : "";
}

// An engine that cannot start takes every text: the game is written as
// before, and the browser stays the judge.
template <typename Compile>
bool check(std::string_view text, int lineOffset, JsProblem& problem, Compile compile) {
  problem = JsProblem();
  if (!startEngine()) return true;
  JSContext* cx = engine.cx;
  JSAutoRealm realm(cx, *engine.global);
  JS::CompileOptions options(cx);
  options.setFileAndLine("piece", 1);
  JS::SourceText<mozilla::Utf8Unit> source;
  if (!source.init(cx, text.data(), text.size(), JS::SourceOwnership::Borrowed) ||
      !compile(cx, options, source)) {
    takeProblem(cx, lineOffset, problem);
    return false;
  }
  return true;
}

}  // namespace

bool compilesAsFunctionBody(std::string_view body, JsProblem& problem) {
  // The engine puts the body on the line after the function's head.
  return check(body, 1, problem, [](JSContext* cx, JS::CompileOptions& options,
                                    JS::SourceText<mozilla::Utf8Unit>& source) {
    JS::RootedObjectVector scopes(cx);
    return JS::CompileFunction(cx, scopes, options, "anonymous", 0, nullptr, source) != nullptr;
  });
}

bool compilesAsScript(std::string_view text, JsProblem& problem) {
  return check(text, 0, problem, [](JSContext* cx, JS::CompileOptions& options,
                                    JS::SourceText<mozilla::Utf8Unit>& source) {
    return JS::Compile(cx, options, source) != nullptr;
  });
}
