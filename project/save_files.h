// A save written as one whole: every file first goes to a temporary name
// beside its place, and only when all of them are written are they renamed
// into place, the last one staged (the project file) last. A failure leaves
// the old files as they were and names the file that could not be written.
//
// While several files are renamed, a journal in Projects/ names them, and
// each old file is kept under a backup name until the last rename is done:
// a failed rename puts back what was renamed, and a commit cut off by a
// kill or a power cut is put back or finished by the next Open or save of
// that project (recoverSave). Each step reaches the disk before the one
// that relies on it: a staged file before its rename, the journal and
// Projects/ before the first rename, every folder renamed in before the
// last rename, and that one's folder before the journal goes. A commit
// runs under the project's lock (project_lock.h).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct StagedFile {
  std::string temp, path;
  // A file was at `path` when staged; during the commit it waits under
  // backupPath(temp) (never for the last one, whose rename is atomic).
  bool keepsOld = false;
};

struct SaveFiles {
  std::string project;   // the project whose journal the commit keeps
  std::vector<StagedFile> staged;
  std::string failedPath;   // the first file that could not be written, "" while none
  // Folders (with their "/") whose new entries may not be on the disk yet:
  // each is synced before the last rename, which relies on them.
  std::set<std::string> unsyncedFolders;
};

// The prefix of every temporary file of a save; the project file's own
// carries the project's tag too, since it lies in the shared Projects/.
constexpr const char* SAVE_TEMP_PREFIX = ".zmtmp-";
std::string documentTempPrefix(const std::string& project);
// The project's name as the names of its files in Projects/ carry it: the
// name itself up to 200 bytes; a longer one cut there (or a little before,
// at a character's start), then "~" and a hash of the whole name, so that
// no two projects share one (and none of 200 bytes or fewer looks like it).
constexpr size_t TAG_NAME_BYTES = 200;
std::string projectTag(const std::string& project);

// Writes `bytes` under a temporary name in the folder of `path`, with the
// permission bits of the file it will replace. A file there that already
// holds these bytes is left alone (most are, on a re-save); one that the
// user may not write is not replaced, and fails the save. Does nothing once
// a file has failed.
void stageFile(SaveFiles& save, const std::string& path, const std::string& bytes);
// The same for a file that is written every time, under a temporary name
// that starts with `prefix`.
void stageDocument(SaveFiles& save, const std::string& path, const std::string& prefix,
                   const std::string& bytes);
// Renames every staged file into place, the last one staged last, each
// folder renamed in (and each of `unsyncedFolders`) synced once before it; false (failedPath set) when a rename or a
// sync fails, every file then being as before or, once the last rename is
// made, the journal kept for the next Open or save to finish.
bool commitFiles(SaveFiles& save);
// Removes the temporary files of a save that will not be committed.
void discardFiles(SaveFiles& save);

// Puts back or finishes what a commit of `project` left unfinished, before
// anything else reads or writes the project's files; the caller holds the
// project's lock (`locked`), else it may only find that there is nothing to
// do. A journal is removed unread only when it is a plain file cut off
// before its end (no rename had begun). False, with the "Error" text in
// `error` and every file as it was, when Projects/ cannot be listed, a
// journal cannot be read or is not one this program wrote for the project
// (a link, another version's, damaged), or a file cannot be moved; the
// journal then stays.
bool recoverSave(const std::string& project, bool locked, std::string& error);

// Removes what a save that was killed left behind: in `folder`, the files
// whose names are `prefix` and six more characters (every length when
// `anyLength`), last changed at least `age` seconds ago.
void removeLeftovers(const std::string& folder, const std::string& prefix, bool anyLength, int64_t age = 0);

// The "Error" message of a file or folder that a save could not write
// (`what` names it: "The file Projects/N/game.js"), then the window title.
void reportUnwritable(const std::string& what);
// The same for one that it could not read ("... cannot be read.").
void reportUnreadable(const std::string& what);
// "The file P cannot be written.", or "The folder P" for a path ending in "/".
std::string unwritableText(const std::string& path);
// Any other "Error" of a save, then the window title.
void reportSaveError(const std::string& text);
