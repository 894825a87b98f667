// Files that a window picks for the work folder (sound and music sources,
// background images). Sounds, musics and backgrounds share that folder, and
// the project writer puts background files beside the frame files
// `<sprite>_<n>.png`, so a picked file must not take another file's place.
#pragma once

#include <string>
#include <vector>

// The file part of a path: the name with its extension, without folders.
std::string filePart(const std::string& path);
// Every work-folder file name that a record holds: the sources of every
// sound and music and the file of every background, once per holding field.
std::vector<std::string> workFileNamesInUse();
// Removes one occurrence of `name` from `names` (a field that is being replaced).
void dropOneName(std::vector<std::string>& names, const std::string& name);
// The name under which the file at `path` goes into the work folder: its
// own file part, unless `taken` holds that name or a sprite frame file is
// named so, and the file there is a different one; then the first free
// "<stem>_<n><ext>" from n = 2.
std::string pickedFileName(const std::string& path, const std::vector<std::string>& taken);
// Copies the picked file into the work folder under `name` (a file of 0
// bytes too); false when it cannot be read or written (no work folder, say).
bool copyPickedFile(const std::string& path, const std::string& name);
// The "Error" text of a pick that copyPickedFile could not copy.
std::string uncopiedPickText(const std::string& path);
