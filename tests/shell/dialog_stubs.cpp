// The extensions and function exchange dialogs, which the scripted-layer
// tests do not open: each does nothing here.
#include "builder/extensions_dialog.h"
#include "project/exchange_dialog.h"

void chooseExtensions() {}
void exportFunctions() {}
void importFunctions() {}
