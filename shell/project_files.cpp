#include "shell/project_files.h"

#include <algorithm>
#include <cctype>

#include "project/tables.h"
#include "ui/system.h"

std::vector<std::string> projectNames;

bool isWorkFolderName(const std::string& name) {
  if (name.size() != 12 || name.compare(0, 6, "_temp_") != 0) return false;
  for (size_t i = 6; i < 12; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

void deleteWorkFolder() {
  if (isWorkFolderName(workFolder) && fileKind(workFolder) == FILE_FOLDER) deleteFolderTree(workFolder);
}

void listProjects() {
  projectNames.clear();
  std::vector<DirEntry> entries;
  if (!listFolder("Projects", "*.xml", entries)) return;
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR) continue;
    std::string name = e.name;
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".xml") == 0) name.resize(name.size() - 4);
    projectNames.push_back(name);
  }
  // The folder listing comes in no useful order; people look names up alphabetically.
  std::sort(projectNames.begin(), projectNames.end(), [](const std::string& a, const std::string& b) {
    auto lower = [](std::string s) {
      for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
      return s;
    };
    std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
  });
}
