// The scene window.
#pragma once

#include <string>

void editScene(const std::string& name);
