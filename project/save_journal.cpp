#include "project/save_journal.h"

#include <set>

#include "project/file_names.h"
#include "ui/system.h"

namespace {

constexpr const char* journalMagic = "zembrik save journal 1";

// The journal is read from a folder anyone may drop files in: it may move
// only the project's own files, beside the temporary ones of a save.
bool insideProject(const std::string& project, const std::string& path) {
  if (path == "Projects/" + project + ".xml") return true;
  const std::string folder = "Projects/" + project + "/";
  if (path.compare(0, folder.size(), folder) != 0 || isLink(folder)) return false;
  std::string rest = path.substr(folder.size());
  size_t slash = rest.find('/');
  if (slash == std::string::npos) return isUsableName(rest);
  return isUsableName(rest.substr(0, slash)) && isUsableName(rest.substr(slash + 1)) &&
         !isLink(folder + rest.substr(0, slash));
}

bool tempBeside(const std::string& temp, const std::string& path) {
  const std::string folder = folderOf(path);
  if (folderOf(temp) != folder) return false;
  std::string name = temp.substr(folder.size());
  return isUsableName(name) && name.compare(0, std::string(SAVE_TEMP_PREFIX).size(), SAVE_TEMP_PREFIX) == 0;
}

// The fields of the journal, each ended by a NUL (no name holds one).
bool splitFields(const std::string& bytes, std::vector<std::string>& fields) {
  size_t from = 0;
  while (from < bytes.size()) {
    size_t end = bytes.find('\0', from);
    if (end == std::string::npos) return false;
    fields.push_back(bytes.substr(from, end - from));
    from = end + 1;
  }
  return true;
}

bool removeIfThere(const std::string& path) { return !entryExists(path) || deleteFile(path); }

}  // namespace

bool entryExists(const std::string& path) { return isLink(path) || fileKind(path) != FILE_NONE; }

std::string backupPath(const std::string& temp) { return temp + "-old"; }

std::string journalPrefix(const std::string& project) {
  return ".zmjournal-" + project.substr(0, 200) + "-";
}

std::string writeJournal(const std::string& project, const std::vector<StagedFile>& staged) {
  std::string text;
  auto field = [&text](const std::string& s) {
    text += s;
    text += '\0';
  };
  field(journalMagic);
  field(project);
  field(std::to_string(staged.size()));
  for (const StagedFile& f : staged) {
    field(f.temp);
    field(f.path);
    field(f.keepsOld ? "old" : "new");
  }
  field("end");
  std::string journal = writeNewFile("Projects", journalPrefix(project), text, true);
  // Its name must last before any rename it covers.
  if (!journal.empty() && !syncFolder("Projects")) {
    deleteFile(journal);
    journal.clear();
  }
  return journal;
}

int readJournal(const std::string& path, const std::string& project, std::vector<StagedFile>& staged) {
  staged.clear();
  std::string bytes;
  std::vector<std::string> fields;
  if (!readFile(path, bytes) || !splitFields(bytes, fields) || fields.size() < 2 || fields[0] != journalMagic)
    return JOURNAL_BROKEN;
  if (fields[1] != project) return JOURNAL_OTHER;
  if (fields.size() < 7) return JOURNAL_BROKEN;
  const size_t count = (fields.size() - 4) / 3;
  if (fields.size() != 4 + 3 * count || fields[2] != std::to_string(count) || fields.back() != "end")
    return JOURNAL_BROKEN;
  for (size_t i = 0; i < count; ++i) {
    const std::string& temp = fields[3 + 3 * i];
    const std::string& file = fields[4 + 3 * i];
    const std::string& old = fields[5 + 3 * i];
    bool last = i + 1 == count;
    if (!insideProject(project, file) || !tempBeside(temp, file) || (old != "old" && old != "new") ||
        (last && old == "old")) {
      staged.clear();
      return JOURNAL_BROKEN;
    }
    staged.push_back({temp, file, old == "old"});
  }
  return JOURNAL_OURS;
}

bool undoCommit(const std::vector<StagedFile>& staged, std::string& failedPath) {
  bool whole = true;
  std::set<std::string> folders;
  for (size_t i = staged.size(); i-- > 0;) {
    const StagedFile& f = staged[i];
    bool ok = true;
    if (f.keepsOld) {
      if (entryExists(backupPath(f.temp))) ok = renameFile(backupPath(f.temp), f.path);
    } else if (!entryExists(f.temp)) {
      ok = removeIfThere(f.path);   // renamed into a place that was empty
    }
    if (!ok && whole) {
      whole = false;
      failedPath = f.path;
    }
    folders.insert(folderOf(f.path));
  }
  // The old files must be back on the disk before the journal goes.
  for (const std::string& folder : folders) syncFolder(folder);
  return whole;
}

bool finishCommit(const std::vector<StagedFile>& staged, std::string& failedPath) {
  bool whole = true;
  for (const StagedFile& f : staged) {
    if (!f.keepsOld || removeIfThere(backupPath(f.temp))) continue;
    if (whole) failedPath = backupPath(f.temp);
    whole = false;
  }
  return whole;
}

bool recoverSave(const std::string& project, std::string& failedPath) {
  const std::string prefix = journalPrefix(project);
  std::vector<DirEntry> entries;
  if (!listFolder("Projects", "", entries)) return true;
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR || e.name.size() != prefix.size() + 6 || e.name.compare(0, prefix.size(), prefix) != 0)
      continue;
    const std::string journal = "Projects/" + e.name;
    std::vector<StagedFile> staged;
    int kind = readJournal(journal, project, staged);
    if (kind == JOURNAL_OTHER) continue;
    // Cut off while it was written: no rename had begun.
    if (kind == JOURNAL_BROKEN) {
      deleteFile(journal);
      continue;
    }
    const bool committed = !entryExists(staged.back().temp);
    if (!(committed ? finishCommit(staged, failedPath) : undoCommit(staged, failedPath))) return false;
    // Nothing else may touch the files while a journal names them.
    if (!deleteFile(journal)) {
      failedPath = journal;
      return false;
    }
    for (const StagedFile& f : staged) removeIfThere(f.temp);
  }
  return true;
}
