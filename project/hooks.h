// What the project model needs of the shell, as replaceable procedures, so
// that this folder works (and is tested) without a window. The shell binds
// them at start-up; the defaults do nothing harmful.
#pragma once

#include <functional>
#include <string>

struct ProjectHooks {
  // The main window's title from the version text and the project name.
  std::function<void()> updateWindowTitle;
  // Rebuilds every picture of the resource panel, then the title.
  std::function<void()> refreshResourcePanel;
  // Makes the panel pictures of the sprites and backgrounds anew.
  std::function<void()> buildResourceIcons;
  // The text of the status button ("OPENING PROJECT...", "STATUS: READY.").
  std::function<void(const std::string&)> setStatusText;
  // Shows the first tab (" Sprites ") of the resource panel.
  std::function<void()> showFirstResourceTab;
  // The open-project dialog: the chosen name, "" when cancelled.
  std::function<std::string()> chooseProject;
  // The new-project reset (tables, counter, work folder, preferences, name).
  // Default: clearProjectTables() and an empty projectName.
  std::function<void()> newProject;
  // The yes/no question; 1 for Yes. Default: 0.
  std::function<int(const std::string& title, const std::string& text)> confirmYesNo;
  // A message requester with an OK button ("Error", "Message").
  std::function<void(const std::string& title, const std::string& text)> message;
  // The number of the main window, which the export dialog disables.
  int mainWindow = 13;
};

extern ProjectHooks projectHooks;

// Restores the defaults (tests call it between cases).
void resetProjectHooks();
