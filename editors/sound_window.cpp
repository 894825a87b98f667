// The sound and music windows: twins over their own tables, each with three
// sources (WAV, MP3, OGG) that Set picks into the work folder and Unset
// clears; Done stores them.
#include <array>

#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/picked_files.h"
#include "editors/property_frame.h"
#include "project/tables.h"
#include "ui/ui.h"

namespace {

constexpr int formats = 3;
const char* const formatWords[formats] = {"WAV", "MP3", "OGG"};

struct AudioKind {
  const PropertyKind* frame;
  const char* requesterTitles[formats];
  const char* patterns[formats];
  // The record's three source fields, in format order.
  std::array<std::string*, formats> (*sources)(int index);
};

std::array<std::string*, formats> soundSources(int i) {
  SoundRecord& r = sounds[size_t(i)];
  return {&r.wav, &r.mp3, &r.ogg};
}

std::array<std::string*, formats> musicSources(int i) {
  MusicRecord& r = musics[size_t(i)];
  return {&r.wav, &r.mp3, &r.ogg};
}

const AudioKind soundWindow{&soundKind,
                            {"Select a sound", "Select a sound", "Select a sound"},
                            {"WAV files(*.wav)|*.wav", "MP3 files(*.mp3)|*.mp3", "OGG files(*.ogg)|*.ogg"},
                            soundSources};
const AudioKind musicWindow{&musicKind,
                            {"Select a music (WAV)", "Select a music (MP3)", "Select a music (OGG)"},
                            {"Music files(*.wav)|*.wav", "Music files(*.mp3)|*.mp3", "Music files(*.ogg)|*.ogg"},
                            musicSources};

// Each format's source while the window is open: the work folder's name of
// its file ("" once unset).
using Pending = std::array<std::string, formats>;

// Copies the file picked for format `f` into the work folder under a name
// that no other source holds, then and not on Done: a pick that cannot be
// copied is refused while the user still sees it. The name, or "" when
// refused.
std::string pickSource(const AudioKind& kind, int index, const Pending& pending, int f, const std::string& path) {
  std::vector<std::string> taken = workFileNamesInUse();
  for (std::string* field : kind.sources(index)) dropOneName(taken, *field);
  for (int g = 0; g < formats; ++g)
    if (g != f && !pending[g].empty()) taken.push_back(pending[g]);
  std::string name = pickedFileName(path, taken);
  if (copyPickedFile(path, name)) return name;
  messageRequester("Error", uncopiedPickText(path));
  return "";
}

void storeSources(const AudioKind& kind, int index, const Pending& pending) {
  std::array<std::string*, formats> fields = kind.sources(index);
  for (int f = 0; f < formats; ++f) *fields[f] = pending[f];
}

void editAudio(const AudioKind& kind, const std::string& name) {
  PropertyFrame frame;
  if (!openPropertyFrame(*kind.frame, name, frame)) return;
  Pending pending;
  int set[formats], text[formats], unset[formats];
  for (int f = 0; f < formats; ++f) {
    pending[f] = *kind.sources(frame.index)[f];
    std::string word = formatWords[f];
    set[f] = buttonGadget(UI_ANY, 10, 40 + 30 * f, 150, 25, "Set " + word + " file...");
    text[f] = textGadget(UI_ANY, 170, 45 + 30 * f, 230, 25, "File: " + pending[f]);
    unset[f] = buttonGadget(UI_ANY, 395, 40 + 30 * f, 75, 25, "<< Unset");
    nameGadget(text[f], word + " file");
    nameGadget(unset[f], "Unset " + word);
  }

  PropertyHooks hooks;
  hooks.event = [&](int event) {
    if (event != EV_GADGET) return;
    for (int f = 0; f < formats; ++f) {
      std::string word = formatWords[f];
      if (eventGadget() == set[f]) {
        std::string path = openFileRequester(kind.requesterTitles[f], "", kind.patterns[f], 0);
        if (path.empty()) return;
        std::string name = pickSource(kind, frame.index, pending, f, path);
        if (name.empty()) return;
        pending[f] = name;
        setGadgetText(text[f], "File: " + filePart(path));
      } else if (eventGadget() == unset[f]) {
        if (askYesNo("Confirm", "Remove " + word + " source?") != 1) return;
        pending[f] = "";
        setGadgetText(text[f], "File: ");
      }
    }
  };
  hooks.write = [&] { storeSources(kind, frame.index, pending); };
  runPropertyWindow(frame, hooks);
}

}  // namespace

void editSound(const std::string& name) { editAudio(soundWindow, name); }
void editMusic(const std::string& name) { editAudio(musicWindow, name); }
