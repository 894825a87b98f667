// Stand-ins until the extensions dialog and the function exchange dialogs
// provide these procedures: each does nothing.
#include "shell/pending_procedures.h"

void chooseExtensions() {}
void exportFunctions() {}
void importFunctions() {}
