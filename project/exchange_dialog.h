// The two windows of the function exchange file: the export dialog and the
// import's file requester. They need zm_ui; the file itself is exchange.h's.
#pragma once

// Lets the user tick functions, an author and a description, and writes the
// file; "There nothing to export." when the project has no function.
void exportFunctions();
// Asks for a file and appends its functions, then rebuilds the resource panel.
void importFunctions();
