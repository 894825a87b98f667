#include "project/save_files.h"

#include <cstdint>

#include "project/hooks.h"
#include "project/save_journal.h"
#include "ui/system.h"

namespace {

bool mayWrite(int permissions) { return permissions < 0 || (permissions & 0200) != 0; }

void stage(SaveFiles& save, const std::string& path, const std::string& prefix, const std::string& bytes,
           bool keepSame) {
  if (!save.failedPath.empty()) return;
  // A regular file, not a link, has bits (one look at the disk for the many
  // frames of a save).
  const int permissions = filePermissions(path);
  const bool link = permissions < 0 && isLink(path);
  if (permissions < 0 && !link && fileKind(path) == FILE_FOLDER) {
    save.failedPath = path;
    return;
  }
  std::string old;
  if (permissions >= 0 && keepSame && fileSize(path) == int64_t(bytes.size()) && readFile(path, old) &&
      old == bytes)
    return;
  // Root may write anything: the bits say what the user meant.
  if (!mayWrite(permissions)) {
    save.failedPath = path;
    return;
  }
  // Synced all together before the renames: the disk takes them in one go.
  std::string temp = writeNewFile(folderOf(path), prefix, bytes, false, permissions);
  if (temp.empty())
    save.failedPath = path;
  else
    save.staged.push_back({temp, path, permissions >= 0 || link});
}

bool failAt(SaveFiles& save, const std::string& path) {
  save.failedPath = path;
  return false;
}

// After a failed rename: everything back as it was, and the journal gone.
bool putBack(SaveFiles& save, const std::string& journal, const std::string& path) {
  save.failedPath = path;
  std::string unmoved;
  if (!undoCommit(save.staged, unmoved) || (!journal.empty() && !deleteFile(journal)))
    save.staged.clear();   // the journal stays with the files it names, for the next Open or save
  return false;
}

}  // namespace

std::string projectTag(const std::string& project) {
  if (project.size() <= TAG_NAME_BYTES) return project;
  // FNV-1a: the same on every machine and in every version, since journals
  // are found by it.
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : project) hash = (hash ^ c) * 1099511628211ull;
  static const char digits[] = "0123456789abcdef";
  size_t cut = TAG_NAME_BYTES;   // never inside a UTF-8 character
  while (cut > 0 && (static_cast<unsigned char>(project[cut]) & 0xC0) == 0x80) --cut;
  std::string tag = project.substr(0, cut) + "~";
  for (int shift = 60; shift >= 0; shift -= 4) tag += digits[(hash >> shift) & 15];
  return tag;
}

std::string documentTempPrefix(const std::string& project) {
  // Kept inside the 255 bytes of a file name with its six characters.
  return std::string(SAVE_TEMP_PREFIX) + projectTag(project) + "-";
}

void stageFile(SaveFiles& save, const std::string& path, const std::string& bytes) {
  stage(save, path, SAVE_TEMP_PREFIX, bytes, true);
}

void stageDocument(SaveFiles& save, const std::string& path, const std::string& prefix,
                   const std::string& bytes) {
  stage(save, path, prefix, bytes, false);
}

bool commitFiles(SaveFiles& save) {
  std::vector<StagedFile>& staged = save.staged;
  if (staged.empty()) return true;
  for (const StagedFile& f : staged)
    if (!syncFile(f.temp)) return failAt(save, f.path);
  // One rename needs no journal: it happens whole or not at all.
  std::string journal;
  // The last rename is the commit's point: its old file needs no keeping.
  staged.back().keepsOld = false;
  if (staged.size() > 1) {
    journal = writeJournal(save.project, staged);
    if (journal.empty()) return failAt(save, staged.back().path);
    save.unsyncedFolders.erase("Projects/");   // synced with the journal
  }
  for (size_t i = 0; i < staged.size(); ++i) {
    const StagedFile& f = staged[i];
    // What the last file names reaches the disk before it.
    if (i + 1 == staged.size())
      for (const std::string& folder : save.unsyncedFolders)
        if (!syncFolder(folder)) return putBack(save, journal, f.path);
    if (f.keepsOld && !renameFile(f.path, backupPath(f.temp))) return putBack(save, journal, f.path);
    if (!renameFile(f.temp, f.path)) return putBack(save, journal, f.path);
    save.unsyncedFolders.insert(folderOf(f.path));
  }
  save.unsyncedFolders.clear();
  // Until the last rename is on the disk, a power cut may take it back: the
  // old files and the journal must stay for that.
  if (!syncFolder(folderOf(staged.back().path))) {
    save.failedPath = staged.back().path;
    staged.clear();
    return false;
  }
  // The save is made; an old file that stays is removed by the next Open or save.
  std::string unmoved;
  if (finishCommit(staged, unmoved) && !journal.empty()) deleteFile(journal);
  staged.clear();
  return true;
}

void discardFiles(SaveFiles& save) {
  for (const StagedFile& f : save.staged) deleteFile(f.temp);
  save.staged.clear();
}

void removeLeftovers(const std::string& folder, const std::string& prefix, bool anyLength, int64_t age) {
  std::vector<DirEntry> entries;
  if (!listFolder(folder, "", entries)) return;
  std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  const int64_t now = unixTime();
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR || e.name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!anyLength && e.name.size() != prefix.size() + 6) continue;
    if (age > 0 && now - fileModified(base + e.name) < age) continue;
    deleteFile(base + e.name);
  }
}

void reportUnwritable(const std::string& what) { reportSaveError(what + " cannot be written."); }

std::string unwritableText(const std::string& path) {
  if (!path.empty() && path.back() == '/')
    return "The folder " + path.substr(0, path.size() - 1) + " cannot be written.";
  return "The file " + path + " cannot be written.";
}

void reportSaveError(const std::string& text) {
  projectHooks.message("Error", text);
  projectHooks.updateWindowTitle();
}

void reportUnreadable(const std::string& what) { reportSaveError(what + " cannot be read."); }
