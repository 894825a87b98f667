// The journal of a save cut off midway, as the next Open or save finds it
// in Projects/. Whatever it says, recovery moves only the project's own
// files: a file beside the project, or outside Projects/, stays as it was;
// and a journal it refuses moves none at all.
#include <cstdlib>

#include "fuzz_folder.h"
#include "project/save_files.h"

namespace {

void put(const char* path, const char* bytes) {
  if (!writeFile(path, bytes)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  makeFolder("outside");
  makeFolder("Projects");
  makeFolder("Projects/other");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A project in the middle of a commit: one picture renamed, its old one
  // waiting aside, the document not yet renamed.
  deleteFolderTree("Projects/f");
  makeFolder("Projects/f");
  makeFolder("Projects/f/img");
  put("Projects/f.xml", "old document");
  put("Projects/.zmtmp-f-bbbbbb", "new document");
  put("Projects/f/img/a.png", "new picture");
  put("Projects/f/img/.zmtmp-aaaaaa-old", "old picture");
  put("Projects/other.xml", "keep");
  put("Projects/other/a.png", "keep");
  put("outside/victim", "keep");
  writeFile("Projects/.zmjournal-f-cccccc", fuzzBytes(data, size));
  std::string error;
  bool recovered = recoverSave("f", true, error);
  for (const char* path : {"Projects/other.xml", "Projects/other/a.png", "outside/victim"}) {
    std::string bytes;
    if (!readFile(path, bytes) || bytes != "keep") std::abort();
  }
  // A journal refused moves nothing of the project either.
  if (!recovered && error.starts_with("The save journal ")) {
    const char* const kept[][2] = {{"Projects/f.xml", "old document"},
                                   {"Projects/.zmtmp-f-bbbbbb", "new document"},
                                   {"Projects/f/img/a.png", "new picture"},
                                   {"Projects/f/img/.zmtmp-aaaaaa-old", "old picture"}};
    for (const auto& [path, expected] : kept) {
      std::string bytes;
      if (!readFile(path, bytes) || bytes != expected) std::abort();
    }
  }
  deleteFile("Projects/.zmjournal-f-cccccc");
  return 0;
}
