#include "shell/preferences.h"

#include "project/file_names.h"
#include "shell/prefstore.h"
#include "shell/settings.h"
#include "ui/system.h"

namespace {

const char* const prefsFile = "preferences.dat";

struct IntKey {
  const char* key;
  int* value;
  int defaultValue;
};

// Reader and writer share this order. The defaults are the reader's: a
// missing "User function" colour reads as grey.
const IntKey codeEditorColors[] = {
    {"sci_color_fore", &sciColorFore, 0},
    {"sci_color_selection_back", &sciColorSelectionBack, 4194304},
    {"sci_color_selection_fore", &sciColorSelectionFore, 16777215},
    {"sci_color_command", &sciColorCommand, 14888246},
    {"sci_color_comment", &sciColorComment, 10526880},
    {"sci_color_function", &sciColorFunction, 10526880},
    {"sci_color_number", &sciColorNumber, 4210896},
    {"sci_color_resource", &sciColorResource, 12298801},
    {"sci_color_string", &sciColorString, 12976326},
    {"sci_color_zm_constant", &sciColorZmConstant, 3947580},
    {"sci_color_zm_function", &sciColorZmFunction, 2255392},
    {"sci_color_zm_variable", &sciColorZmVariable, 1265745},
    {"sci_color_caret", &sciColorCaret, 15790335},
};

const IntKey codeEditorSizes[] = {
    {"sci_font_size", &sciFontSize, 11}, {"x", &codeWindowX, -1},
    {"y", &codeWindowY, -1},             {"width", &codeWindowWidth, -1},
    {"height", &codeWindowHeight, -1},   {"maximized", &codeWindowMaximized, -1},
};

const IntKey miscKeys[] = {
    {"CheckProgramVersion", &checkVersionAtStart, 1},
    {"GenerateIndexHTML", &generateIndexHtml, 1},
    {"ConfirmExit", &confirmExitFlag, 1},
};

void readKeys(const IntKey* keys, size_t count) {
  for (size_t i = 0; i < count; ++i) *keys[i].value = readPreferenceInt(keys[i].key, keys[i].defaultValue);
}

void writeKeys(const IntKey* keys, size_t count) {
  for (size_t i = 0; i < count; ++i) writePreferenceInt(keys[i].key, *keys[i].value);
}

// A folder name from a hand-edited file that could leave the project folder
// gives way to the default; "" and "." (the project folder) stay.
std::string folderName(const char* key, const char* defaultValue) {
  std::string name = readPreferenceString(key, defaultValue);
  return isMediaFolderName(name) ? name : defaultValue;
}

}  // namespace

bool isSafeName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

void loadPreferences() {
  if (!openPreferences(prefsFile)) {
    if (createPreferences(prefsFile)) closePreferences();
    savePreferences();
    openPreferences(prefsFile);
  }
  preferenceGroup("Code editor");
  readKeys(codeEditorColors, std::size(codeEditorColors));
  sciFontFamily = readPreferenceString("sci_font_family", "Consolas");
  readKeys(codeEditorSizes, std::size(codeEditorSizes));
  preferenceGroup("Browser");
  addFileProtocol = readPreferenceInt("add_file_protocol", 0);
  preferenceGroup("Misc");
  readKeys(miscKeys, std::size(miscKeys));
  preferenceGroup("Export");
  imgFolder = folderName("ImgFolder", "img");
  audFolder = folderName("AudFolder", "aud");
  closePreferences();
  if (fileKind("Extensions") != FILE_FOLDER) makeFolder("Extensions");
  if (fileKind("Projects") != FILE_FOLDER) makeFolder("Projects");
}

void savePreferences() {
  if (!openPreferences(prefsFile) && !createPreferences(prefsFile)) return;
  preferenceGroup("Code editor");
  writeKeys(codeEditorColors, std::size(codeEditorColors));
  writePreferenceString("sci_font_family", sciFontFamily);
  writeKeys(codeEditorSizes, std::size(codeEditorSizes));
  preferenceGroup("Browser");
  writePreferenceInt("add_file_protocol", addFileProtocol);
  preferenceGroup("Misc");
  writeKeys(miscKeys, std::size(miscKeys));
  preferenceGroup("Export");
  writePreferenceString("ImgFolder", imgFolder);
  writePreferenceString("AudFolder", audFolder);
  closePreferences();
}
