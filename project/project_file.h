// The project file Projects/N.xml and the project folder Projects/N.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Stores the whole project under `projectName` (which must not be empty)
// as one whole: the frame PNGs, the copied sound, music and background
// files and the document are each written to a temporary name first and
// renamed into place only when all of them were written, the document
// (Projects/N.xml) last; a rename that fails puts back those made before
// it. A project or image or audio folder that is a symbolic link is
// refused, and no file is written through a link. Each file replaced keeps
// its permission bits; one without write permission for the user is not
// replaced, and fails the save. On success the modified flag goes to 0; on
// any failure nothing of the old project changes, an "Error" message names
// the file and the flag stays. Frames of a sprite whose name cannot be part
// of a file name are left out and reported the same way, the rest being
// saved. The window title is refreshed in every case. A save of this
// project that a kill or power cut stopped between its renames is first
// put back or finished (see save_files.h), then leftover temporary files
// are removed. Another copy of the program that saves or opens the project
// meanwhile is waited for a moment, then the save is refused with an
// "Error" that names the project; a journal it cannot trust refuses it too
// (recoverSave). Returns whether everything was written.
bool writeProject();

// The Open command: asks about unsaved changes, lets the user choose a
// project and reads it (openProjectNamed). The caller then makes the
// scenes' cards, rebuilds the resource panel, warns of the pictures that
// could not be read and shows the game comments. True when a project was
// read; the project in memory stays otherwise.
bool openProject();

// The frame and background pictures that the last Open could not read
// (missing, cut off, damaged, or with a name that cannot be a file's), by
// their paths inside the project folder, each once: frames first, then
// backgrounds. Their frames stay empty and their files are left alone; a
// save writes no picture for an empty frame and copies a background's
// file as it is.
extern std::vector<std::string> unreadPictures;
// One "Warning" that names how many pictures could not be read and the
// first few, then forgets them; nothing when there are none.
void warnOfUnreadPictures();

// What one project may hold in pictures, its frames, tiles and the
// backgrounds they are cut from together: 1 GiB of pixels (2^28). A few
// hundred bytes can declare far more; Open adds up the sizes the files and
// tile records declare and refuses a project past it before decoding any.
extern int64_t projectPixelBudget;

// Reads Projects/<name>.xml into the tables after the new-project reset,
// under the project's lock (another copy saving it is waited for a moment,
// then the Open is refused). A save of it stopped between its renames is
// put back or finished first; a file that cannot be moved for it, or a
// journal that cannot be trusted, refuses the project with the "Error" of
// recoverSave. A file that cannot be read, or one too new, is refused with
// an "Error" message before anything changes; returns whether the project
// was opened.
bool openProjectNamed(const std::string& name);
