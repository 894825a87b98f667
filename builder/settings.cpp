#include "builder/settings.h"

#include "project/hooks.h"
#include "project/project_file.h"

int generateIndexHtml = 1;
int addFileProtocol = 0;
std::string exportTemplate;
bool exportTemplateUnread = false;

BuilderHooks builderHooks;

namespace {

BuilderHooks defaultHooks() {
  BuilderHooks h;
  h.saveProject = [] { return writeProject(); };
  h.readyAfter = [](int) { projectHooks.setStatusText("STATUS: READY."); };
  return h;
}

// Set before main runs, so that nothing has to bind the hooks to start.
const bool hooksReady = (builderHooks = defaultHooks(), true);

}  // namespace

void resetBuilderHooks() {
  (void)hooksReady;
  builderHooks = defaultHooks();
}
