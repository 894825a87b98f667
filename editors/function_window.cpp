// The function window: name, parameter list and the code of the function.
#include "editors/code_field.h"
#include "editors/editors.h"
#include "editors/property_frame.h"
#include "project/tables.h"
#include "ui/ui.h"

void editFunction(const std::string& name) {
  PropertyFrame frame;
  if (!openPropertyFrame(functionKind, name, frame)) return;
  const FunctionRecord& fn = fns[size_t(frame.index)];
  textGadget(UI_ANY, 140, 15, 60, 25, "Parameters");
  int params = stringGadget(UI_ANY, 215, 10, 300, 25, fn.params);
  int code = createCodeField(10, 45, 780, 510);
  setCodeFieldText(code, fn.code);
  nameGadget(params, "params");
  nameGadget(code, "code");

  PropertyHooks hooks;
  hooks.write = [&] {
    FunctionRecord& f = fns[size_t(frame.index)];
    f.params = getGadgetText(params);
    f.code = getCodeFieldText(code);
    setModified(1);
  };
  hooks.release = [&] { freeCodeField(code); };
  runPropertyWindow(frame, hooks);
}
