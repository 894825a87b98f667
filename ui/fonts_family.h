// Inside the font registry: the installed family that stands in for a
// family name (Arial, Consolas and the like), or the name itself.
#pragma once

#include <string>

std::string installedFamily(const std::string& family);
