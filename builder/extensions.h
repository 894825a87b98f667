// Extensions: ready-made script libraries, one ".tex" file each in the
// folder Extensions of the program folder; a project's choice of them is
// Projects/N/extensions.dat, one base name a line.
#pragma once

#include <string>
#include <vector>

struct ExtensionRecord {
  std::string fileName;      // the file's name without its final ".tex"
  std::string name;          // [EXTENSION] lines, run together
  std::string author;        // [AUTHOR] lines, run together
  std::string description;   // [DESCRIPTION] lines, each followed by CR LF
  std::string help;          // [HELP] lines, each followed by CR LF
  std::string code;          // [CODE] lines, each followed by CR LF
  int enabled = 0;           // 1 when extensions.dat lists fileName
};

extern std::vector<ExtensionRecord> extensions;
extern std::vector<std::string> enabledExtensions;

// Fills enabledExtensions from the current project's extensions.dat
// (missing or empty: none). A file that is there but cannot be read is
// reported ("Error"): false, with the list empty.
bool loadEnabledExtensions();
// loadEnabledExtensions, then rebuilds `extensions` from the folder
// Extensions in the order of its listing (missing folder: none). What is
// there but cannot be read (the list, the folder, an extension file) is
// reported ("Error"): false, with the table empty.
bool loadExtensions();

// The sections of one extension file's text (UTF-8, lines ended by LF, CR
// or CR LF); fileName and enabled are left for the caller.
ExtensionRecord parseExtension(const std::string& text);

// The code of every enabled extension under a comment line naming it, and
// an empty line for every installed extension.
std::string generateExtensionsSection();

// The text the "Installed extensions" dialog shows for one extension.
std::string extensionDetailsText(const ExtensionRecord& extension);

// Writes Projects/N/extensions.dat anew with the given base names; a file
// that cannot be written stays as it was and is reported ("Error").
bool writeEnabledExtensions(const std::vector<std::string>& fileNames);
