// Procedures of the extensions dialog and the function exchange dialogs that
// the shell calls. Until those land, pending_procedures.cpp stands in.
#pragma once

// The installed-extensions dialog.
void chooseExtensions();
// The function exchange dialogs.
void exportFunctions();
void importFunctions();
