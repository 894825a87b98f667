#include "project/hooks.h"

#include "project/tables.h"

ProjectHooks projectHooks;

namespace {

ProjectHooks defaultHooks() {
  ProjectHooks h;
  h.updateWindowTitle = [] {};
  h.refreshResourcePanel = [] {};
  h.buildResourceIcons = [] {};
  h.setStatusText = [](const std::string&) {};
  h.showFirstResourceTab = [] {};
  h.chooseProject = [] { return std::string(); };
  h.newProject = [] {
    clearProjectTables();
    projectName.clear();
  };
  h.confirmYesNo = [](const std::string&, const std::string&) { return 0; };
  h.message = [](const std::string&, const std::string&) {};
  return h;
}

// Set before main runs, so that nothing has to bind the hooks to start.
const bool hooksReady = (projectHooks = defaultHooks(), true);

}  // namespace

void resetProjectHooks() {
  (void)hooksReady;
  projectHooks = defaultHooks();
}
