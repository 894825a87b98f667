// One running copy of a program for each program folder: starting it again
// brings the running copy's window to the front, as the desktop does for an
// application that runs already. The copies meet through a local socket of
// this user (nothing leaves the machine).
#pragma once

#include <string>

// The socket name of the executable at `program`: made from its real path
// (links resolved) and the user, so two program folders never share a copy.
std::string programLinkName(const std::string& program);

// Asks a running copy of `program` to bring its window to the front.
// Returns how many such requests that copy has served, this one included;
// 0 when none runs (or it did not answer in time).
int bringRunningCopyForward(const std::string& program);

// Brings a running copy of `program` forward, or starts it detached when
// none answers. false when it could neither be reached nor started.
bool startOrBringForward(const std::string& program);

// For the program itself, before it opens its window: when a copy of this
// executable already runs (it holds the copy lock), asks it to come forward
// and returns false (this copy should end), also when that copy is slow to
// answer. Otherwise takes the lock for the life of this copy and the socket,
// clearing one left by a copy that crashed, and brings `window` to the front
// whenever another start asks for it; true (also when the socket or the
// lock cannot be had: the program then just runs on its own).
bool serveAsOnlyCopy(int window);
// Gives the socket and the lock up at the program's end, so no file is
// left behind.
void endServing();
