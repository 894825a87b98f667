#include "builder/game_files.h"

#include <string_view>
#include <vector>

#include "builder/code_check.h"
#include "builder/extensions.h"
#include "builder/game_names.h"
#include "builder/js_text.h"
#include "builder/sections.h"
#include "builder/settings.h"
#include "builder/top_level_check.h"
#include "project/hooks.h"
#include "project/project_lock.h"
#include "project/save_files.h"
#include "project/tables.h"
#include "ui/system.h"

namespace {

struct Marker {
  std::string_view text;
  std::string (*generate)();
};

// In the order in which the replacements are made.
constexpr Marker markers[] = {
    {"//ZEMBRIK_VERSION", formatVersion},
    {"//ZEMBRIK_EXTENSIONS", generateExtensionsSection},
    {"//ZEMBRIK_GLOBAL_VARIABLES", generateGlobalVariablesSection},
    {"//ZEMBRIK_GLOBAL_FUNCTIONS", generateGlobalFunctionsSection},
    {"//ZEMBRIK_SPRITES", generateSpritesSection},
    {"//ZEMBRIK_SOUNDS", generateSoundsSection},
    {"//ZEMBRIK_MUSICS", generateMusicsSection},
    {"//ZEMBRIK_BACKGROUNDS", generateBackgroundsSection},
    {"//ZEMBRIK_FONTS", generateFontsSection},
    {"//ZEMBRIK_OBJECTS", generateObjectsSection},
    {"//ZEMBRIK_SCENES", generateScenesSection},
};

constexpr std::string_view makerSite = "https://zembrik.example/";

constexpr std::string_view pageLines[] = {
    "<html lang='en'>",
    "<head>",
    "<meta http-equiv='X-UA-Compatible' content='IE=edge' />",
    "<meta http-equiv='pragma' content='no-cache' />",
    "<meta name='apple-mobile-web-app-capable' content='yes' />",
    "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, "
    "width=device-width, height=device-height' />",
    "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />",
    "<meta charset='utf-8' />",
    "</head>",
    "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>",
    "<div id='zembrikgame'></div>",
    "",   // the credit link
    "<script type='text/javascript' src='game.js'></script>",
    "</body>",
    "</html>",
};

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~';
}

// Both files are replaced as the project's are, whole or not at all: a
// failed write keeps the old game and says which file it could not write.
bool writeGameFiles(const std::string& folder) {
  // Built from the tables and the template alone, before the lock: another
  // copy need not wait for the code check.
  const std::string game = fillTemplate(exportTemplate);
  // The same commit as a save's: under the project's lock, after what a
  // save or export cut off left is put back or finished.
  ProjectLock lock;
  if (!lockForCommit(projectName, lock)) return false;
  SaveFiles save;
  save.project = projectName;
  // Whether the page is there is asked only now: a recovery may have moved it.
  const std::string page = folder + "index.html";
  if (generateIndexHtml == 1 || fileSize(page) < 0) stageFile(save, page, indexHtmlText());
  stageFile(save, folder + "game.js", game);
  if (save.failedPath.empty() && commitFiles(save)) return true;
  discardFiles(save);
  unlockProject(lock);
  reportUnwritable("The file " + save.failedPath);
  return false;
}

}  // namespace

std::string loadRuntimeTemplate() {
  std::string bytes;
  const ReadResult read = readFileIfThere("export.js", bytes);
  if (read == READ_MISSING) writeFile("export.js", "");
  exportTemplateUnread = read == READ_FAILED;
  exportTemplate = latin1ToUtf8(bytes);
  return exportTemplate;
}

std::string fillTemplate(const std::string& templateText) {
  // Every section is generated, in the order above, even when its marker
  // does not occur.
  clearCodeProblems();
  std::string sections[std::size(markers)];
  SectionPieces held[std::size(markers)];
  for (size_t m = 0; m < std::size(markers); ++m) {
    sectionPieces = SectionPieces();
    sections[m] = markers[m].generate();
    held[m] = std::move(sectionPieces);
  }
  sectionPieces = SectionPieces();
  // One pass over the template: a marker is replaced only where the
  // template has it, never inside a section put in (a project's code may
  // hold marker lines of its own).
  constexpr std::string_view stem = "//ZEMBRIK_";
  const std::string_view whole = templateText;
  std::vector<GamePart> parts;
  size_t from = 0;
  for (size_t at = whole.find(stem); at != std::string::npos; at = whole.find(stem, at)) {
    std::string_view rest = whole.substr(at);
    size_t found = std::size(markers);
    for (size_t m = 0; m < std::size(markers); ++m)
      if (rest.starts_with(markers[m].text)) found = m;
    if (found == std::size(markers)) {
      at += stem.size();
      continue;
    }
    parts.push_back({whole.substr(from, at - from)});
    parts.push_back({sections[found], &held[found]});
    at += markers[found].text.size();
    from = at;
  }
  parts.push_back({whole.substr(from)});
  return joinGame(parts);
}

std::string indexHtmlText() {
  std::string out;
  for (size_t i = 0; i < std::size(pageLines); ++i) {
    if (i == 11) {
      out += "<a style='text-decoration:none;font-size:11px;font-family:arial;"
             "color:rgb(255,255,255);' href='";
      out += makerSite;
      out += "'>Made with Zembrik Game Maker</a>";
    } else {
      out += pageLines[i];
    }
    out += '\n';
  }
  return out;
}

bool generateGameFiles() {
  if (projectName.empty()) return false;
  // A game without its runtime does not run. Read again, a template made
  // readable since serves.
  if (exportTemplateUnread && (loadRuntimeTemplate(), exportTemplateUnread)) {
    reportUnreadable("The file export.js");
    return false;
  }
  // An extension left out for want of reading it would break the game.
  if (!loadExtensions()) return false;
  // A name that is no global of its own stops the game at its first line.
  if (refuseUnusableGameNames() != 0) return false;
  if (!writeGameFiles("Projects/" + projectName + "/")) return false;
  projectHooks.setStatusText("PROJECT SAVED.");
  builderHooks.readyAfter(500);
  const std::string problems = codeProblemsWarning();
  if (!problems.empty()) projectHooks.message("Warning", problems);
  if (scenes.empty()) projectHooks.message("Warning", "There is no scene added.");
  return true;
}

std::string gamePageArgument(const std::string& folder, const std::string& name,
                             int fileProtocol) {
  std::string path = folder + "Projects/" + name + "/index.html";
  if (fileProtocol != 1) return path;
  // A blank, "#" or "%" in a folder name would end or garble the URL.
  static const char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (char ch : path) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '/' || unreserved(c)) {
      url += ch;
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

void runGame() {
  if (projectName.empty()) {
    projectHooks.message("Message", "Please save your game.");
    return;
  }
  // A failed save or game write has shown its error; the page would be old or broken.
  if (!builderHooks.saveProject() || !generateGameFiles()) return;
  const std::string folder = currentFolder();
  if (fileSize(folder + "Projects/" + projectName + "/index.html") > 0) {
    runDetached("xdg-open", {gamePageArgument(folder, projectName, addFileProtocol)});
    return;
  }
  projectHooks.message("Message",
                       "The INDEX.HTML file is missing. You can allow Zembrik to create it "
                       "(enable it in the Preferences) or you can copy your file in the project "
                       "folder.");
}
