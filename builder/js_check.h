// Whether a text of the game's code compiles as the browser takes it. The
// text is compiled by SpiderMonkey, a browser's JavaScript engine, and never
// run.
#pragma once

#include <string>
#include <string_view>

struct JsProblem {
  int line = 0;          // from 1, in the text checked; 0 in a parameter list
  std::string message;   // the engine's words, as "missing ) after condition"
  int firstDeclared = 0; // for a name declared twice, the line of the first
                         // declaration; 0 otherwise
};

// How many lines end in the text, as JavaScript ends them: LF, CR, CR LF,
// U+2028, U+2029; and where its line `line` (from 1) starts, text.size()
// past its end.
int lineEnds(std::string_view text);
size_t lineStart(std::string_view text, int line);

// A function as `new Function(params, body)` makes it: a parameter list or
// a body that is not whole on its own (a stray "}", an unclosed "{") is
// refused, whatever the text around it would be.
bool compilesAsFunction(std::string_view params, std::string_view body, JsProblem& problem);

// A whole script, as a <script> element takes it.
bool compilesAsScript(std::string_view text, JsProblem& problem);
