// Fetching the newest release number from the version-check server: one
// HTTP GET of /version.txt into the file __ver__, which never outlives a check.
#pragma once

#include <string>

// Host[:port] of the server, from the build setting; "" makes no request.
extern std::string versionHost;

// Downloads, reads the first line's number into `version` and removes
// __ver__ again. false for every failure: no host, no connection, a status
// other than 200, or a first line that does not start with a number.
bool fetchServerVersion(int& version);
