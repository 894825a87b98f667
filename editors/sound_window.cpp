// The sound and music windows: twins over their own tables, each with three
// sources (WAV, MP3, OGG) that Set picks and Unset clears; Done copies the
// files picked here into the work folder.
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

// One format's source while the window is open: the record's bare name, or
// the full path of a file picked here, or "" once unset.
struct Pending {
  std::string source;
  bool picked = false;
};

// Names the picked files, writes the three fields and copies what was
// picked here, and only that: a bare name is already in the work folder.
void storeSources(const AudioKind& kind, int index, const std::array<Pending, formats>& pending) {
  std::array<std::string*, formats> fields = kind.sources(index);
  std::vector<std::string> taken = workFileNamesInUse();
  for (std::string* field : fields) dropOneName(taken, *field);
  for (int f = 0; f < formats; ++f) {
    if (!pending[f].picked) continue;
    std::string name = pickedFileName(pending[f].source, taken);
    taken.push_back(name);
    copyPickedFile(pending[f].source, name);
    *fields[f] = name;
  }
  for (int f = 0; f < formats; ++f)
    if (!pending[f].picked) *fields[f] = pending[f].source;
}

void editAudio(const AudioKind& kind, const std::string& name) {
  PropertyFrame frame;
  if (!openPropertyFrame(*kind.frame, name, frame)) return;
  std::array<Pending, formats> pending;
  int set[formats], text[formats], unset[formats];
  for (int f = 0; f < formats; ++f) {
    pending[f].source = *kind.sources(frame.index)[f];
    std::string word = formatWords[f];
    set[f] = buttonGadget(UI_ANY, 10, 40 + 30 * f, 150, 25, "Set " + word + " file...");
    text[f] = textGadget(UI_ANY, 170, 45 + 30 * f, 230, 25, "File: " + pending[f].source);
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
        pending[f] = {path, true};
        setGadgetText(text[f], "File: " + filePart(path));
      } else if (eventGadget() == unset[f]) {
        if (askYesNo("Confirm", "Remove " + word + " source?") != 1) return;
        pending[f] = {"", false};
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
