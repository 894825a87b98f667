// The "Installed extensions" dialog, in which the user chooses the
// extensions of the current project.
#pragma once

// Refuses an unnamed project; otherwise shows the installed extensions with
// the project's choice, and on OK writes the checked ones to extensions.dat.
void chooseExtensions();
