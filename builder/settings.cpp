#include "builder/settings.h"

#include "project/project_file.h"
#include "ui/system.h"

int generateIndexHtml = 1;
int addFileProtocol = 0;
std::string exportTemplate;

BuilderHooks builderHooks;

namespace {

BuilderHooks defaultHooks() {
  BuilderHooks h;
  h.saveProject = [] { writeProject(); };
  h.pause = [](int ms) { delayMs(ms); };
  return h;
}

// Set before main runs, so that nothing has to bind the hooks to start.
const bool hooksReady = (builderHooks = defaultHooks(), true);

}  // namespace

void resetBuilderHooks() {
  (void)hooksReady;
  builderHooks = defaultHooks();
}
