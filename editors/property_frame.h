// The frame that every resource property window shares: finding the record,
// the window with its title, Done, Delete and name field, the Done and
// Delete sequences, and the hook through which a kind adds its own fields
// and checks.
#pragma once

#include <functional>
#include <string>

struct PropertyKind {
  const char* word;          // the kind in lower case, for the messages
  const char* titlePrefix;
  int width, height, nameWidth;
  const char* doneText;
  int gameKind;              // GameNameKind of the name rule
  int (*find)(const std::string&);
  int (*isFree)(const std::string&, int);
  void (*rename)(int, const std::string&);
  void (*remove)(const std::string&);
  std::string (*nameAt)(int);
};

extern const PropertyKind spriteKind, soundKind, musicKind, backgroundKind, fontKind, objectKind,
    functionKind;

struct PropertyFrame {
  const PropertyKind* kind = nullptr;
  int index = -1;            // the record under edit in its kind's table
  int window = 0, done = 0, remove = 0, name = 0;
};

// What a kind adds to the frame. Every member may be left empty.
struct PropertyHooks {
  // The kind's own checks, run after the name unless it was missing; each
  // shows its message and counts 1. Returns the count.
  std::function<int()> checks;
  // Writes the kind's other fields when Done found no error.
  std::function<void()> write;
  // An event of the window other than Done and Delete: the kind's gadgets,
  // menus and timers (event kind as waitWindowEvent returned it).
  std::function<void(int event)> event;
  // Frees what the window made for itself; runs on Done and on Delete.
  std::function<void()> release;
  // A refusal of the typed name of the kind's own, run after the name rule
  // and before the name is applied: shows its message and returns 1, or 0.
  std::function<int(const std::string& typed)> refuseName;
};

// Opens the window of the record named `name`: disables the main window,
// makes Done, Delete and the name field. Without such a record it only
// rebuilds the resource panel and returns false.
bool openPropertyFrame(const PropertyKind& kind, const std::string& name, PropertyFrame& frame);
// Runs the window until Done validates or Delete is confirmed, then
// releases, enables the main window, closes and rebuilds the panel.
void runPropertyWindow(PropertyFrame& frame, const PropertyHooks& hooks);

enum NameCheck : int { NAME_APPLIED = 0, NAME_REFUSED = 1, NAME_MISSING = 2 };
// The name steps of Done: sets the modified flag; a missing name, a name the
// game cannot use, or a taken name shows its message; a free name is applied
// at once with its references.
int checkPropertyName(const PropertyFrame& frame,
                      const std::function<int(const std::string&)>& refuseName = {});
// The check of the name rule: a typed name other than the current one that
// the game cannot use shows why (gameNameMessage, title "Error") and counts
// 1; else 0. Saved projects keep their names.
int refuseUnusableName(const std::string& typed, const std::string& currentName, int gameKind);

// Shows `image` in the 100 x 100 image gadget: the longer side scaled to
// 100, top-left aligned, on transparency; blank without a valid image.
void showThumbnail(int imageGadget, int ignored, int image);
