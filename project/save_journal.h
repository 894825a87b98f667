// The journal of a commit of several files: a file in Projects/ that
// names, for each staged file, its temporary name, its place and whether
// the old file there waits under a backup name. It is on the disk before
// the first rename and goes after the last one, the commit's point: until
// that rename the commit is put back, after it finished.
#pragma once

#include <string>
#include <vector>

#include "project/save_files.h"

// Whether anything (a file, a folder, a link even to nothing) is there.
bool entryExists(const std::string& path);
// Where the old file of a staged one waits while the commit runs.
std::string backupPath(const std::string& temp);

// The journal's name is this and six picked characters: never ".xml", and
// made exclusively, so no project's file or folder is taken for it.
std::string journalPrefix(const std::string& project);
// Writes the journal of `staged` and syncs it and Projects/; its path, or
// "" when it could not be written.
std::string writeJournal(const std::string& project, const std::vector<StagedFile>& staged);

enum JournalKind : int { JOURNAL_OURS, JOURNAL_OTHER, JOURNAL_BROKEN };
// Reads a journal: JOURNAL_OTHER for another project's (whose name starts
// alike), JOURNAL_BROKEN for one cut off or damaged or naming a file
// outside the project's folders, or through a link.
int readJournal(const std::string& path, const std::string& project, std::vector<StagedFile>& staged);

// Puts every file back as it was before the commit, the last staged first
// (a file staged twice then ends as the oldest); false (the first file in
// `failedPath`) when one cannot be.
bool undoCommit(const std::vector<StagedFile>& staged, std::string& failedPath);
// After the last rename: removes the old files kept aside.
bool finishCommit(const std::vector<StagedFile>& staged, std::string& failedPath);
