// The version check and the About window.
#pragma once

void checkProgramVersion();
void checkProgramVersionAtStart();
void showAboutWindow();
