// Whether a text of the game's code compiles as the browser takes it. The
// text is compiled by SpiderMonkey, a browser's JavaScript engine, and never
// run.
#pragma once

#include <string>
#include <string_view>

struct JsProblem {
  int line = 0;          // from 1, in the text checked
  std::string message;   // the engine's words, as "missing ) after condition"
};

// A function body, as `new Function(body)` takes it: a stray "}" or an
// unclosed "{" is refused, whatever the text around it would be.
bool compilesAsFunctionBody(std::string_view body, JsProblem& problem);

// A whole script, as a <script> element takes it.
bool compilesAsScript(std::string_view text, JsProblem& problem);
