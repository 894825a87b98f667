// What the game builder takes from the rest of the program: the two
// preferences it reads, the template text, and the shell's procedures it
// calls, as replaceable hooks so that builder/ runs (and is tested) without
// a window. The status text and the messages go through projectHooks.
#pragma once

#include <functional>
#include <string>

// Preferences (group "Misc" key GenerateIndexHTML, group "Browser" key
// add_file_protocol); each counts as on only when it is 1. The shell's
// preference reader sets them.
extern int generateIndexHtml;
extern int addFileProtocol;

// The text of export.js as loadRuntimeTemplate read it (UTF-8), kept for
// the life of the process.
extern std::string exportTemplate;
// Whether the last loadRuntimeTemplate found export.js there but could not
// read it (exportTemplate is then "").
extern bool exportTemplateUnread;

struct BuilderHooks {
  // The shell's Save command; with a project name at hand it asks nothing.
  // False when nothing was written (the writer has said why). Default:
  // writeProject().
  std::function<bool()> saveProject;
  // Brings the status back to "STATUS: READY." ms after "PROJECT SAVED.",
  // without holding the program up (the shell uses a timer). Default: at
  // once, there being no window to see it in.
  std::function<void(int ms)> readyAfter;
};

extern BuilderHooks builderHooks;

// Restores the defaults (tests call it between cases).
void resetBuilderHooks();
