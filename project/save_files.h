// A save written as one whole: every file first goes to a temporary name
// beside its place, and only when all of them are written are they renamed
// into place, the project file last. A failure leaves the old files as
// they were and names the file that could not be written.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct SaveFiles {
  std::vector<std::pair<std::string, std::string>> staged;   // temporary path, final path
  std::string failedPath;   // the first file that could not be written, "" while none
};

// The prefix of every temporary file of a save; the project file's own
// carries the project name too, since it lies in the shared Projects/.
constexpr const char* SAVE_TEMP_PREFIX = ".zmtmp-";
std::string documentTempPrefix(const std::string& project);

// Writes `bytes` under a temporary name in the folder of `path`. A file
// there that already holds these bytes is left alone (most are, on a
// re-save). Does nothing once a file has failed.
void stageFile(SaveFiles& save, const std::string& path, const std::string& bytes);
// Renames every staged file into place, the last one staged last, each
// folder synced once before it; false (failedPath set) when a rename fails.
bool commitFiles(SaveFiles& save);
// Removes the temporary files of a save that will not be committed.
void discardFiles(SaveFiles& save);

// Removes what a save that was killed left behind: in `folder`, the files
// whose names are `prefix` and six more characters (every length when
// `anyLength`).
void removeLeftovers(const std::string& folder, const std::string& prefix, bool anyLength);
