// The main event loop and its dispatch of every main-window event.
#pragma once

#include <string>

// The one yes/no question of the program; 1 for Yes.
int confirmYesNo(const std::string& title, const std::string& text);
void openResourceEditor(int gadget);
void showResourcePopupMenu(int gadget);
// Index of the first selected resource item; -1 when none is.
int selectedResourceItem();

// Takes one event of the main loop and runs its command.
void dispatchEvent(int event);
// Waits and dispatches until the exit command ends the program.
void mainLoop();
// Set by the exit command; the main loop then returns.
extern bool programEnding;
