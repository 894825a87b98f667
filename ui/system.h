// Platform services: files and folders, programs, time. Free of Qt so that
// the project model and the builder use it in plain tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Files and folders. Paths are relative to the current directory (the
// program folder at run time). Results are true on success.
enum FileKind : int { FILE_NONE = 0, FILE_REGULAR = 1, FILE_FOLDER = 2 };
int fileKind(const std::string& path);
int64_t fileSize(const std::string& path);          // -1 when missing
int64_t fileModified(const std::string& path);      // seconds since the epoch; 0 when missing
bool makeFolder(const std::string& path);
bool deleteFolderTree(const std::string& path);     // the folder and everything in it
// A file, or a link itself (never what it points at).
bool deleteFile(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
// A link is renamed itself, even one that points nowhere.
bool renameFile(const std::string& from, const std::string& to);
bool readFile(const std::string& path, std::string& bytes);
// How a read ended, for a caller to whom a file that is not there means
// something else than one that cannot be read.
enum ReadResult : int { READ_DONE = 0, READ_MISSING = 1, READ_FAILED = 2, READ_NOT_PLAIN = 3 };
// readFile that tells the two apart: READ_MISSING only when nothing is at
// the path (or a link there points nowhere); a folder, pipe or device in
// the file's place, a link loop or a failing disk is READ_FAILED. Never
// waits for a pipe's writer.
ReadResult readFileIfThere(const std::string& path, std::string& bytes);
// The same for a regular file itself: READ_NOT_PLAIN for a link (whatever
// it points at) and for anything but a regular file, which is not even
// opened; READ_MISSING when nothing is there.
ReadResult readPlainFile(const std::string& path, std::string& bytes);
// Writes through a temporary file in the same folder, flushed and synced,
// then renamed over the target: the old file stays whole when anything fails.
// The new file keeps the permission bits of the one it replaces.
bool writeFileAtomic(const std::string& path, const std::string& bytes);
// Writes in place (no sync); a link in the file's place is not followed.
bool writeFile(const std::string& path, const std::string& bytes);
// Writes `bytes` to a new file in `folder` named `prefix` and six picked
// characters, created exclusively (never through a link) and synced unless
// `sync` is false. It gets `permissions` (the bits 0777), or with -1 the
// usual ones of a new file. Returns its path, or "" with nothing left behind.
std::string writeNewFile(const std::string& folder, const std::string& prefix, const std::string& bytes,
                         bool sync = true, int permissions = -1);
// Flushes a written file to the disk (not through a link).
bool syncFile(const std::string& path);
// Makes the folder's entries (a file created or renamed in it) last.
bool syncFolder(const std::string& path);
// Whether the path itself is a symbolic link (not what it points at).
bool isLink(const std::string& path);
// Whether anything at all is at the path itself: a file, folder, link,
// pipe or device.
bool isAnythingAt(const std::string& path);
// The folder part of a path, with its "/"; "" for none.
std::string folderOf(const std::string& path);
// The permission bits (0777) of the regular file at `path` itself, not
// through a link; -1 when there is none.
int filePermissions(const std::string& path);

// For tests: when set, asked before each write, sync, rename, delete and
// folder made here, with the path (a rename's new one); false makes that
// call fail as a full or broken disk would.
enum FileStep : int { STEP_WRITE, STEP_SYNC, STEP_RENAME, STEP_DELETE, STEP_MAKE_FOLDER };
extern std::function<bool(int step, const std::string& path)> fileStepHook;

struct DirEntry {
  std::string name;
  int kind;   // FILE_REGULAR or FILE_FOLDER
};
// Entries in the order the listing delivers them (no sorting); `pattern` is a
// shell pattern such as "*.xml" ("" for all). false when the folder cannot be
// read to its end (`out` then empty).
bool listFolder(const std::string& path, const std::string& pattern, std::vector<DirEntry>& out);
// listFolder that tells a missing folder (READ_MISSING) from one that cannot
// be listed whole (READ_FAILED).
ReadResult listFolderIfThere(const std::string& path, const std::string& pattern, std::vector<DirEntry>& out);
// The names of every entry that matches, whatever it is: links (also those
// that point nowhere) and special files too.
bool listNames(const std::string& path, const std::string& pattern, std::vector<std::string>& names);

std::string currentFolder();                 // with a trailing "/"
bool setCurrentFolder(const std::string& path);

// Starts a program detached, with an argument list (no shell, no quoting).
// `program` without a "/" is looked up on PATH. false when it cannot start.
bool runDetached(const std::string& program, const std::vector<std::string>& args);
bool findOnPath(const std::string& program, std::string& fullPath);

// Locks: the kernel's exclusive lock on a file of the lock's own, taken
// without waiting and let go of however the process ends. The file is
// opened for writing where it may be (NFS grants an exclusive lock only
// then, and none on a folder), never through a link and never waiting for
// a pipe; anything but a regular file in its place is refused. Results
// other than a handle (0 or more):
//   LOCK_HELD_ELSEWHERE  another holds it;
//   LOCK_FAILED          the file cannot be made or opened, or is no
//                        regular file (of this user's own, when asked);
//   LOCK_UNSUPPORTED     the file system has no locks: nothing is held,
//                        and nothing can be told about other programs.
enum : int { LOCK_HELD_ELSEWHERE = -1, LOCK_FAILED = -2, LOCK_UNSUPPORTED = -3 };
// The lock file at `path`, made when missing with `mode`. Programs started
// later do not inherit it.
int lockFile(const std::string& path, int mode = 0666, bool ownFileOnly = false);
// Removes the file, then lets go of the lock: one that waits for it finds
// the file gone and makes a new one.
void unlockFile(int handle, const std::string& path);
// A folder's lock: the lock file FOLDER_LOCK_FILE in it (a link in the
// folder's place is not followed). It stays there when let go of.
constexpr const char* FOLDER_LOCK_FILE = ".zembrik-lock";
int lockFolder(const std::string& path);
void unlockFolder(int handle);
// The lock that versions before took on the folder itself, opened for
// reading (so never on NFS): -1 unless taken. Only for telling whether such
// a version still works in a folder it made.
int lockFolderItself(const std::string& path);
// Whether the folder that a handle of lockFolder or lockFolderItself holds
// is still the one at `path`, not removed (and another made in its place)
// since it was locked.
bool isLockedFolderAt(int handle, const std::string& path);
// For tests: when set, called in place of flock(handle, LOCK_EX | LOCK_NB),
// to play a file system whose locks behave otherwise.
extern std::function<int(int handle)> lockCallHook;
// Makes a folder only when nothing (file, folder or link) has its name yet,
// so that of two programs making it at once one alone has it.
enum NewFolder : int { NEW_FOLDER_MADE, NEW_FOLDER_NAME_TAKEN, NEW_FOLDER_FAILED };
NewFolder makeNewFolder(const std::string& path);
// Removes a folder only when it is empty (a link is not followed).
bool deleteEmptyFolder(const std::string& path);
// Whether another running process, started from a program file of the same
// name as this one's, has the current directory as its own. Processes that
// cannot be looked at (other users') do not count; when nothing can be
// looked at, true.
bool isProgramRunningHereElsewhere();

// Time.
void delayMs(int ms);
int64_t unixTime();
// Formats a time with the masks "%yyyy", "%yy", "%mm", "%dd", "%hh", "%ii",
// "%ss" in local time ("%HH" is an alias of "%hh").
std::string formatDate(const std::string& mask, int64_t time);

// Gives the memory that the program has freed back to the system, after a
// large piece of work (opening a project) whose working memory is gone.
void releaseFreeMemory();

// A uniform integer from 0 to maximum (inclusive).
int randomInt(int maximum);
