// The names of the object definitions, looked up once per section instead
// of by a scan of the objects table for every reference.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

using DefinitionNames = std::unordered_set<std::string_view>;

// Views into the objects table: valid while the table is unchanged.
DefinitionNames objectDefinitionNames();

// The name when it names an object definition, else "null": a name left
// behind by a deleted or mistyped object is no variable of the game.
std::string_view definitionOrNull(const std::string& name, const DefinitionNames& definitions);
