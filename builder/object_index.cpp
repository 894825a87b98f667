#include "builder/object_index.h"

#include "project/tables.h"

DefinitionNames objectDefinitionNames() {
  DefinitionNames names;
  names.reserve(objects.size());
  for (const ObjectRecord& o : objects)
    if (o.prototype == 1) names.insert(o.name);
  return names;
}

std::string_view definitionOrNull(const std::string& name, const DefinitionNames& definitions) {
  if (name.empty() || !definitions.contains(name)) return "null";
  return name;
}
