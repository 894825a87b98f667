#include "project/save_files.h"

#include <set>

#include "ui/system.h"

namespace {

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

std::string documentTempPrefix(const std::string& project) {
  // Kept well inside the 255 bytes of a file name with its six characters.
  return std::string(SAVE_TEMP_PREFIX) + project.substr(0, 200) + "-";
}

void stageFile(SaveFiles& save, const std::string& path, const std::string& bytes) {
  if (!save.failedPath.empty()) return;
  if (!isLink(path)) {
    if (fileKind(path) == FILE_FOLDER) {
      save.failedPath = path;
      return;
    }
    std::string old;
    if (fileSize(path) == int64_t(bytes.size()) && readFile(path, old) && old == bytes) return;
  }
  // Synced all together before the renames: the disk takes them in one go.
  std::string temp = writeNewFile(folderOf(path), SAVE_TEMP_PREFIX, bytes, false);
  if (temp.empty())
    save.failedPath = path;
  else
    save.staged.emplace_back(temp, path);
}

bool commitFiles(SaveFiles& save) {
  for (size_t i = 0; i < save.staged.size(); ++i) {
    if (!syncFile(save.staged[i].first)) {
      save.failedPath = save.staged[i].second;
      return false;
    }
  }
  std::set<std::string> folders;
  for (size_t i = 0; i < save.staged.size(); ++i) {
    const auto& [temp, path] = save.staged[i];
    // What the last file names reaches the disk before it.
    if (i + 1 == save.staged.size())
      for (const std::string& folder : folders) syncFolder(folder);
    if (!renameFile(temp, path)) {
      save.failedPath = path;
      for (size_t k = i; k < save.staged.size(); ++k) deleteFile(save.staged[k].first);
      save.staged.clear();
      return false;
    }
    folders.insert(folderOf(path));
  }
  if (!save.staged.empty()) syncFolder(folderOf(save.staged.back().second));
  save.staged.clear();
  return true;
}

void discardFiles(SaveFiles& save) {
  for (const auto& staged : save.staged) deleteFile(staged.first);
  save.staged.clear();
}

void removeLeftovers(const std::string& folder, const std::string& prefix, bool anyLength) {
  std::vector<DirEntry> entries;
  if (!listFolder(folder, "", entries)) return;
  std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR || e.name.compare(0, prefix.size(), prefix) != 0) continue;
    if (anyLength || e.name.size() == prefix.size() + 6) deleteFile(base + e.name);
  }
}
