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
// The prefix that older versions gave the journal of a project whose name
// is longer than the tag keeps (its first 200 bytes), "" for other names.
std::string olderJournalPrefix(const std::string& project);
// Writes the journal of `staged` and syncs it and Projects/; its path, or
// "" when it could not be written.
std::string writeJournal(const std::string& project, const std::vector<StagedFile>& staged);

enum JournalKind : int { JOURNAL_OURS, JOURNAL_OTHER, JOURNAL_CUT_OFF, JOURNAL_REFUSED };
// Reads a journal: JOURNAL_OTHER for another project's (an older journal
// of a name that starts alike), JOURNAL_CUT_OFF for a plain file read whole
// that stops before its end, all it holds being as a save writes it (it
// was cut off before any rename began); JOURNAL_REFUSED, with why in
// `reason` ("cannot be read"), for every other one that is not a whole
// journal of the project naming only its own files: a link, one that
// cannot be read, another version's, or one damaged or made up.
int readJournal(const std::string& path, const std::string& project, std::vector<StagedFile>& staged,
                std::string& reason);

// Puts every file back as it was before the commit, the last staged first
// (a file staged twice then ends as the oldest), and syncs their folders;
// false (the first file, or folder with its "/", in `failedPath`) when one
// cannot be.
bool undoCommit(const std::vector<StagedFile>& staged, std::string& failedPath);
// After the last rename: removes the old files kept aside.
bool finishCommit(const std::vector<StagedFile>& staged, std::string& failedPath);
