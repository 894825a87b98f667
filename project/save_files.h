// A save written as one whole: every file first goes to a temporary name
// beside its place, and only when all of them are written are they renamed
// into place, the last one staged (the project file) last. A failure leaves
// the old files as they were and names the file that could not be written.
//
// While several files are renamed, a journal in Projects/ names them, and
// each old file is kept under a backup name until the last rename is done:
// a failed rename puts back what was renamed, and a commit cut off by a
// kill or a power cut is put back or finished by the next Open or save of
// that project (recoverSave).
#pragma once

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
};

// The prefix of every temporary file of a save; the project file's own
// carries the project name too, since it lies in the shared Projects/.
constexpr const char* SAVE_TEMP_PREFIX = ".zmtmp-";
std::string documentTempPrefix(const std::string& project);

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
// folder synced once before it; false (failedPath set) when a rename fails,
// every file then being as before.
bool commitFiles(SaveFiles& save);
// Removes the temporary files of a save that will not be committed.
void discardFiles(SaveFiles& save);

// Puts back or finishes what a commit of `project` left unfinished, before
// anything else reads or writes the project's files. False (with the file
// in `failedPath`) when a file cannot be moved; the journal then stays for
// the next try.
bool recoverSave(const std::string& project, std::string& failedPath);

// Removes what a save that was killed left behind: in `folder`, the files
// whose names are `prefix` and six more characters (every length when
// `anyLength`).
void removeLeftovers(const std::string& folder, const std::string& prefix, bool anyLength);

// The "Error" message of a file or folder that a save could not write
// (`what` names it: "The file Projects/N/game.js"), then the window title.
void reportUnwritable(const std::string& what);
// The same for one that it could not read ("... cannot be read.").
void reportUnreadable(const std::string& what);
