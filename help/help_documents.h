// The reference documents the help viewer carries: RTF bytes made from
// data/help by the build, one per topic, in the order of the topic list.
#pragma once

#include <cstddef>

struct HelpDocument {
  const char* bytes;   // not zero-terminated
  size_t length;
};

extern const HelpDocument helpDocuments[];
extern const int helpDocumentCount;
