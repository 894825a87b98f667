#include "project/save_journal.h"

#include <set>
#include <string_view>

#include "project/file_names.h"
#include "project/message_texts.h"
#include "project/project_lock.h"
#include "ui/system.h"

namespace {

constexpr const char* journalMagic = "zembrik save journal 1";
// What every version's journal starts with.
constexpr std::string_view magicStem = "zembrik save journal ";

// The journal is read from a folder anyone may drop files in: it may move
// only the project's own files, beside the temporary ones of a save.
bool insideProject(const std::string& project, const std::string& path) {
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

// A name of `prefix` and the six characters a file made exclusively gets.
bool isPicked(const std::string& name, const std::string& prefix) {
  return name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
         isUsableName(name);
}

// The project's document stands in a journal only where a save puts it:
// last, the commit's point, from its own temporary file (older versions
// cut a long name to its first 200 bytes there).
bool entryAllowed(const std::string& project, const std::string& temp, const std::string& path, bool old,
                  bool last) {
  if (path == "Projects/" + project + ".xml") {
    if (!last || old || folderOf(temp) != "Projects/") return false;
    const std::string name = temp.substr(folderOf(temp).size());
    return isPicked(name, documentTempPrefix(project)) ||
           (project.size() > TAG_NAME_BYTES &&
            isPicked(name, SAVE_TEMP_PREFIX + project.substr(0, TAG_NAME_BYTES) + "-"));
  }
  return insideProject(project, path) && tempBeside(temp, path) && !(last && old);
}

bool allDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

const char* const damaged = "is damaged";
const char* const anotherVersion = "was written by another version of the program";

bool otherVersion(std::string_view magic) { return magic.starts_with(magicStem) && magic != journalMagic; }

// What the i-th field of a journal is, once its count of files is known.
enum Slot : int { SLOT_MAGIC, SLOT_PROJECT, SLOT_COUNT, SLOT_TEMP, SLOT_PATH, SLOT_FLAG, SLOT_END, SLOT_NONE };

int slotAt(size_t i, size_t count) {
  if (i < 3) return int(i);
  if (i < 3 + 3 * count) return SLOT_TEMP + int((i - 3) % 3);
  return i == 3 + 3 * count ? SLOT_END : SLOT_NONE;
}

// A journal whose last field, `part`, has no NUL after it.
int cutOffAt(int slot, std::string_view part, const std::string& project, std::string& reason) {
  bool fits = true;
  switch (slot) {
    case SLOT_MAGIC:
      if (std::string_view(journalMagic).starts_with(part)) break;
      reason = otherVersion(part) ? anotherVersion : damaged;
      return JOURNAL_REFUSED;
    case SLOT_PROJECT:
      return std::string_view(project).starts_with(part) ? JOURNAL_CUT_OFF : JOURNAL_OTHER;
    case SLOT_COUNT:
      fits = part.empty() || (part.size() <= 6 && allDigits(part) && part[0] != '0');
      break;
    case SLOT_FLAG:
      fits = std::string_view("old").starts_with(part) || std::string_view("new").starts_with(part);
      break;
    case SLOT_END:
      fits = std::string_view("end").starts_with(part);
      break;
    default:   // a path, of which any start may have been written
      break;
  }
  if (fits) return JOURNAL_CUT_OFF;
  reason = damaged;
  return JOURNAL_REFUSED;
}

std::string fileNameOf(const std::string& path) { return path.substr(folderOf(path).size()); }

bool removeIfThere(const std::string& path) { return !entryExists(path) || deleteFile(path); }

}  // namespace

bool entryExists(const std::string& path) { return isLink(path) || fileKind(path) != FILE_NONE; }

std::string backupPath(const std::string& temp) { return temp + "-old"; }

std::string journalPrefix(const std::string& project) { return ".zmjournal-" + projectTag(project) + "-"; }

std::string olderJournalPrefix(const std::string& project) {
  if (project.size() <= TAG_NAME_BYTES) return "";
  return ".zmjournal-" + project.substr(0, TAG_NAME_BYTES) + "-";
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

int readJournal(const std::string& path, const std::string& project, std::vector<StagedFile>& staged,
                std::string& reason) {
  staged.clear();
  auto refuse = [&](const char* why) {
    staged.clear();
    reason = why;
    return int(JOURNAL_REFUSED);
  };
  // Never opened when it is anything but a plain file: a link may lead
  // anywhere, a device may do anything when opened.
  std::string bytes;
  const ReadResult read = readPlainFile(path, bytes);
  if (read == READ_FAILED) return refuse("cannot be read");
  if (read != READ_DONE) return refuse("is a link or no plain file");
  const std::string_view all = bytes;
  size_t count = 0, from = 0;
  std::string temp, file;
  for (size_t i = 0;; ++i) {
    const int slot = slotAt(i, count);
    const std::string_view rest = all.substr(from);
    if (slot == SLOT_NONE) return rest.empty() ? int(JOURNAL_OURS) : refuse("is damaged");
    const size_t nul = all.find('\0', from);
    // Stopped short of its end: kept only when a save could have written
    // it so far. A file system may give a file its length before its
    // bytes, which then read as NULs; no field is ever empty.
    if (nul == std::string_view::npos) return cutOffAt(slot, rest, project, reason);
    if (nul == from && rest.find_first_not_of('\0') == std::string_view::npos) return JOURNAL_CUT_OFF;
    const std::string value(all.substr(from, nul - from));
    from = nul + 1;
    switch (slot) {
      case SLOT_MAGIC:
        if (value != journalMagic) return refuse(otherVersion(value) ? anotherVersion : damaged);
        break;
      case SLOT_PROJECT:
        if (value != project) return JOURNAL_OTHER;
        break;
      case SLOT_COUNT:
        if (value.size() > 6 || !allDigits(value) || value[0] == '0') return refuse(damaged);
        count = 0;
        for (char digit : value) count = count * 10 + size_t(digit - '0');
        break;
      case SLOT_TEMP:
        // Told apart from the end mark here: a count too high would else read it as a cut-off name.
        if (!value.starts_with("Projects/") || !fileNameOf(value).starts_with(SAVE_TEMP_PREFIX)) return refuse(damaged);
        temp = value;
        break;
      case SLOT_PATH:
        file = value;
        break;
      case SLOT_FLAG:
        if ((value != "old" && value != "new") ||
            !entryAllowed(project, temp, file, value == "old", i + 1 == 3 + 3 * count))
          return refuse(damaged);
        staged.push_back({temp, file, value == "old"});
        break;
      default:   // SLOT_END
        if (value != "end") return refuse(damaged);
    }
  }
}

bool undoCommit(const std::vector<StagedFile>& staged, std::string& failedPath) {
  bool whole = true;
  std::set<std::string> folders;
  for (size_t i = staged.size(); i-- > 0;) {
    const StagedFile& f = staged[i];
    bool ok = true, moves = false;
    if (f.keepsOld) {
      moves = entryExists(backupPath(f.temp));
      if (moves) ok = renameFile(backupPath(f.temp), f.path);
    } else if (!entryExists(f.temp)) {
      moves = entryExists(f.path);
      ok = removeIfThere(f.path);   // renamed into a place that was empty
    }
    if (!ok && whole) {
      whole = false;
      failedPath = f.path;
    }
    // A folder where nothing was renamed back needs no sync.
    if (moves) folders.insert(folderOf(f.path));
  }
  // The old files must be back on the disk before the journal goes.
  for (const std::string& folder : folders) {
    if (syncFolder(folder) || !whole) continue;
    whole = false;
    failedPath = folder;
  }
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

bool recoverSave(const std::string& project, bool locked, std::string& error) {
  const std::string left = " The project '" + shownText(project) + "' is left as it is.";
  std::vector<std::string> names;
  if (!listNames("Projects", ".zmjournal-*", names)) {
    error = "The folder Projects cannot be read." + left;
    return false;
  }
  const std::string prefix = journalPrefix(project), older = olderJournalPrefix(project);
  struct Found {
    std::string path;
    int kind;
    std::vector<StagedFile> staged;
  };
  // Every journal is judged before any moves a file.
  std::vector<Found> found;
  for (const std::string& name : names) {
    const bool ours = isPicked(name, prefix);
    if (!ours && (older.empty() || !isPicked(name, older))) continue;
    Found f{"Projects/" + name, 0, {}};
    std::string reason;
    f.kind = readJournal(f.path, project, f.staged, reason);
    // Only an older name may be shared with another project.
    if (f.kind == JOURNAL_OTHER && ours) f.kind = JOURNAL_REFUSED, reason = damaged;
    if (f.kind == JOURNAL_REFUSED) {
      error = "The save journal " + shownText(f.path) + " " + reason + "." + left;
      return false;
    }
    if (f.kind != JOURNAL_OTHER) found.push_back(std::move(f));
  }
  // Without the lock one may be another copy's, in the middle of its commit.
  if (!found.empty() && !locked) {
    error = projectUnlockableText(project);
    return false;
  }
  for (const Found& f : found) {
    std::string failed;
    if (f.kind == JOURNAL_OURS) {
      const std::vector<StagedFile>& staged = f.staged;
      // The last rename made, it may still be lost by a power cut until its folder is synced.
      const bool committed = !entryExists(staged.back().temp);
      if (committed && !syncFolder(folderOf(staged.back().path))) failed = folderOf(staged.back().path);
      if (failed.empty() && !(committed ? finishCommit(staged, failed) : undoCommit(staged, failed))) {
        if (failed.empty()) failed = staged.back().path;
      }
    }
    // Nothing else may touch the files while a journal names them.
    if (failed.empty() && !deleteFile(f.path)) failed = f.path;
    if (!failed.empty()) {
      error = unwritableText(failed);
      return false;
    }
    if (f.kind == JOURNAL_OURS)
      for (const StagedFile& s : f.staged) removeIfThere(s.temp);
  }
  return true;
}
