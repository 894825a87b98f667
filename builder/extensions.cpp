#include "builder/extensions.h"

#include <string_view>

#include "builder/code_check.h"
#include "builder/js_text.h"
#include "builder/top_level_check.h"
#include "project/message_texts.h"
#include "project/save_files.h"
#include "project/tables.h"
#include "ui/system.h"

std::vector<ExtensionRecord> extensions;
std::vector<std::string> enabledExtensions;

namespace {

std::string enabledListPath() { return "Projects/" + projectName + "/extensions.dat"; }

// Lines ended by LF, CR or CR LF; a last line without an end counts, an
// end at the very end adds no empty line.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// A "*/" in a text put inside a comment would end the comment early.
std::string commentSafe(const std::string& text) { return replaceAll(text, "*/", "* /"); }

}  // namespace

ExtensionRecord parseExtension(const std::string& text) {
  ExtensionRecord r;
  struct Section {
    std::string_view header;
    std::string* field;
    bool lineEnds;
  } sections[] = {
      {"[EXTENSION]", &r.name, false},       {"[AUTHOR]", &r.author, false},
      {"[DESCRIPTION]", &r.description, true}, {"[HELP]", &r.help, true},
      {"[CODE]", &r.code, true},
  };
  const Section* current = nullptr;
  for (std::string_view line : splitLines(text)) {
    bool header = false;
    for (const Section& s : sections) {
      if (line == s.header) {
        current = &s;
        header = true;
        break;
      }
    }
    if (!current) continue;
    // A header counts as an empty line of the section that it starts.
    if (!header) *current->field += line;
    if (current->lineEnds) *current->field += CRLF;
  }
  return r;
}

bool loadEnabledExtensions() {
  enabledExtensions.clear();
  if (projectName.empty()) return true;
  const std::string path = enabledListPath();
  std::string bytes;
  if (readFileIfThere(path, bytes) == READ_FAILED) {
    reportUnreadable("The file " + path);
    return false;
  }
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    // A list edited on another system may end its lines with CR LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    enabledExtensions.push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

bool loadExtensions() {
  extensions.clear();
  if (!loadEnabledExtensions()) return false;
  std::vector<DirEntry> entries;
  int listed = listFolderIfThere("Extensions", "*.tex", entries);
  if (listed == READ_FAILED) reportUnreadable("The folder Extensions");
  if (listed != READ_DONE) return listed == READ_MISSING;
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR) continue;
    // Only the final ".tex" goes: "my.texture.tex" is "my.texture".
    std::string base = e.name;
    if (base.size() >= 4 && base.compare(base.size() - 4, 4, ".tex") == 0)
      base.resize(base.size() - 4);
    // One removed since the listing counts as empty, as it always has.
    std::string text;
    if (readFileIfThere("Extensions/" + e.name, text) == READ_FAILED) {
      extensions.clear();
      reportUnreadable("The file Extensions/" + e.name);
      return false;
    }
    ExtensionRecord r = parseExtension(text);
    r.fileName = base;
    for (const std::string& chosen : enabledExtensions)
      if (chosen == base) r.enabled = 1;
    extensions.push_back(std::move(r));
  }
  return true;
}

std::string generateExtensionsSection() {
  sectionPieces = SectionPieces();
  std::string out;
  for (const ExtensionRecord& r : extensions) {
    if (r.enabled == 1) {
      out += "/* ";
      out += commentSafe(r.name);
      out += " by ";
      out += commentSafe(r.author);
      out += " */";
      out += CRLF;
      CodeProblem problem;
      const std::string where = "extension " + shownText(r.name.empty() ? r.fileName : r.name);
      if (scriptPieceCompiles(where, r.code, problem)) appendTopLevelPiece(out, where, r.code);
      else appendLateTopLevel(out, problem, r.code);
    }
    out += CRLF;
  }
  return out;
}

std::string extensionDetailsText(const ExtensionRecord& extension) {
  return "NAME:" + extension.name + "\rAUTHOR: " + extension.author + "\r\rDESCRIPTION: " +
         extension.description + "HELP:" + extension.help;
}

bool writeEnabledExtensions(const std::vector<std::string>& fileNames) {
  std::string bytes;
  for (const std::string& f : fileNames) bytes += f + "\n";
  // Replaced whole or not at all, as the project's files are: a failed
  // write keeps the old list.
  SaveFiles save;
  save.project = projectName;
  stageDocument(save, enabledListPath(), SAVE_TEMP_PREFIX, bytes);
  if (save.failedPath.empty() && commitFiles(save)) return true;
  discardFiles(save);
  reportUnwritable("The file " + save.failedPath);
  return false;
}
