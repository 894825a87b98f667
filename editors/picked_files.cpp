#include "editors/picked_files.h"

#include <algorithm>

#include "project/tables.h"
#include "ui/system.h"

namespace {

bool isFrameFileName(const std::string& name) {
  for (const FrameRecord& f : frames)
    if (f.sprite + "_" + f.file + ".png" == name) return true;
  return false;
}

bool isTaken(const std::string& name, const std::vector<std::string>& taken) {
  return std::find(taken.begin(), taken.end(), name) != taken.end();
}

// The same bytes as the file already in the work folder under that name.
bool sameFileThere(const std::string& path, const std::string& name) {
  std::string there = workFolder + "/" + name, a, b;
  if (fileKind(there) != FILE_REGULAR || fileSize(there) != fileSize(path)) return false;
  return readFile(path, a) && readFile(there, b) && a == b;
}

}  // namespace

std::string filePart(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> workFileNamesInUse() {
  std::vector<std::string> names;
  auto add = [&](const std::string& n) {
    if (!n.empty()) names.push_back(n);
  };
  for (const SoundRecord& s : sounds) add(s.wav), add(s.mp3), add(s.ogg);
  for (const MusicRecord& m : musics) add(m.wav), add(m.mp3), add(m.ogg);
  for (const BackgroundRecord& b : backgrounds) add(b.file);
  return names;
}

void dropOneName(std::vector<std::string>& names, const std::string& name) {
  auto at = std::find(names.begin(), names.end(), name);
  if (at != names.end()) names.erase(at);
}

std::string pickedFileName(const std::string& path, const std::vector<std::string>& taken) {
  std::string name = filePart(path);
  bool frame = isFrameFileName(name);
  if (!frame && (!isTaken(name, taken) || sameFileThere(path, name))) return name;
  size_t dot = name.find_last_of('.');
  std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  std::string ext = stem.size() == name.size() ? "" : name.substr(dot);
  for (int n = 2;; ++n) {
    std::string candidate = stem + "_" + std::to_string(n) + ext;
    if (!isTaken(candidate, taken) && !isFrameFileName(candidate) &&
        fileKind(workFolder + "/" + candidate) == FILE_NONE)
      return candidate;
  }
}

bool copyPickedFile(const std::string& path, const std::string& name) {
  return copyFile(path, workFolder + "/" + name);
}

std::string uncopiedPickText(const std::string& path) {
  return "The file " + path + " cannot be copied into the work folder.";
}
