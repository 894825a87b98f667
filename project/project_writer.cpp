#include <unordered_map>
#include <vector>

#include "project/file_names.h"
#include "project/hooks.h"
#include "project/project_file.h"
#include "project/project_lock.h"
#include "project/save_files.h"
#include "project/tables.h"
#include "project/xml_write.h"
#include "ui/image.h"
#include "ui/system.h"

namespace {

// The files of the save under way, the first sprite whose frames have no
// possible file name and the first work file that could not be read ("" for
// none).
SaveFiles save;
std::string unwritten, unreadable;

// Copies a picked file from the work folder; a name that could lead out of
// the folders is skipped, and a missing file copies nothing (the project's
// copy, if any, stays). One that is there but cannot be read fails the save:
// the new document would go with an old or missing copy.
void copyFromWorkFolder(const std::string& name, const std::string& destFolder) {
  if (!isUsableName(name) || destFolder.empty() || !unreadable.empty()) return;
  std::string source = workFolder + "/" + name, bytes;
  int read = readFileIfThere(source, bytes);
  if (read == READ_FAILED) unreadable = source;
  if (read == READ_DONE) stageFile(save, destFolder + name, bytes);
}

void writeSprites(XmlWriter& w, const std::string& imageFolder) {
  std::unordered_map<std::string, std::vector<size_t>> framesOf;
  for (size_t i = 0; i < frames.size(); ++i) framesOf[frames[i].sprite].push_back(i);
  w.start("sprites");
  w.attr("count", int(sprites.size()));
  for (const SpriteRecord& s : sprites) {
    w.start("sprite");
    w.attr("name", s.name);
    w.attr("centerx", s.centerx);
    w.attr("centery", s.centery);
    w.attr("collisionshape", s.collisionshape);
    w.attr("collisionradius", s.collisionradius);
    w.attr("collisionleft", s.collisionleft);
    w.attr("collisionright", s.collisionright);
    w.attr("collisiontop", s.collisiontop);
    w.attr("collisionbottom", s.collisionbottom);
    auto it = framesOf.find(s.name);
    if (it != framesOf.end() && !imageFolder.empty())
      for (size_t f : it->second) {
        const FrameRecord& fr = frames[f];
        std::string file = fr.sprite + "_" + fr.file + ".png";
        std::string png;
        if (!isUsableName(file)) {
          // The pixels live only in memory: skipping them silently loses them.
          if (fr.image > 0 && isImage(fr.image) && unwritten.empty()) unwritten = s.name;
          continue;
        }
        if (fr.image <= 0 || !isImage(fr.image)) continue;   // never loaded: an older file stays
        if (encodePng(fr.image, png))
          stageFile(save, imageFolder + file, png);
        else if (save.failedPath.empty())
          save.failedPath = imageFolder + file;
      }
    w.end();
  }
  w.end();

  w.start("frames");
  w.attr("count", int(frames.size()));
  for (const FrameRecord& f : frames) {
    w.start("frame");
    w.attr("file", f.file);
    w.attr("sprite", f.sprite);
    w.end();
  }
  w.end();
}

template <typename Record>
void writeAudio(XmlWriter& w, const char* list, const char* item, const std::vector<Record>& table,
                const std::string& audioFolder) {
  w.start(list);
  w.attr("count", int(table.size()));
  for (const Record& r : table) {
    w.start(item);
    w.attr("name", r.name);
    w.attr("wav", r.wav);
    w.attr("mp3", r.mp3);
    w.attr("ogg", r.ogg);
    w.end();
    copyFromWorkFolder(r.wav, audioFolder);
    copyFromWorkFolder(r.mp3, audioFolder);
    copyFromWorkFolder(r.ogg, audioFolder);
  }
  w.end();
}

void writeBackgroundsAndFonts(XmlWriter& w, const std::string& imageFolder) {
  w.start("backgrounds");
  w.attr("count", int(backgrounds.size()));
  for (const BackgroundRecord& b : backgrounds) {
    w.start("background");
    w.attr("name", b.name);
    w.attr("file", b.file);
    w.attr("tile", b.tile);
    w.attr("tileheight", b.tileheight);
    w.attr("tilewidth", b.tilewidth);
    w.attr("tilexoffset", b.tilexoffset);
    w.attr("tileyoffset", b.tileyoffset);
    w.attr("tilexspace", b.tilexspace);
    w.attr("tileyspace", b.tileyspace);
    w.end();
    copyFromWorkFolder(b.file, imageFolder);
  }
  w.end();

  w.start("fonts");
  w.attr("count", int(fonts.size()));
  for (const FontRecord& f : fonts) {
    w.start("font");
    w.attr("name", f.name);
    w.attr("family", f.family);
    w.attr("size", f.size);
    w.attr("bold", f.bold);
    w.attr("italic", f.italic);
    w.end();
  }
  w.end();
}

void writeObjectsAndScripts(XmlWriter& w) {
  w.start("objects");
  w.attr("count", int(objects.size()));
  for (const ObjectRecord& o : objects) {
    w.start("object");
    w.attr("name", o.name);
    w.attr("template", o.template_);
    w.attr("prototype", o.prototype);
    w.attr("scene", o.scene);
    w.attr("sprite", o.sprite);
    w.attr("x", o.x);
    w.attr("y", o.y);
    w.attr("visible", o.visible);
    w.attr("depth", o.depth);
    w.attr("collision", o.collision);
    w.attr("parent", o.parent);
    w.attr("direction", o.direction);
    w.attr("image_angle", o.image_angle);
    w.end();
  }
  w.end();

  w.start("scripts");
  w.attr("count", int(scripts.size()));
  for (const ScriptRecord& s : scripts) {
    w.start("script");
    w.attr("name", s.name);
    w.attr("object", s.object);
    w.attr("event", s.event);
    w.attr("parameter", s.parameter);
    w.text(s.code);
    w.end();
  }
  w.end();
}

void writeScenes(XmlWriter& w) {
  w.start("scenes");
  w.attr("count", int(scenes.size()));
  for (const SceneRecord& s : scenes) {
    w.start("scene");
    w.attr("name", s.name);
    w.attr("width", s.width);
    w.attr("height", s.height);
    w.attr("speed", s.speed);
    w.attr("red", s.red);
    w.attr("green", s.green);
    w.attr("blue", s.blue);
    w.attr("background", s.background);
    w.attr("backgroundstretch", s.backgroundstretch);
    w.attr("backgroundtilex", s.backgroundtilex);
    w.attr("backgroundtiley", s.backgroundtiley);
    w.attr("viewportwidth", s.viewportwidth);
    w.attr("viewportheight", s.viewportheight);
    w.attr("viewportxborder", s.viewportxborder);
    w.attr("viewportyborder", s.viewportyborder);
    w.attr("viewportobject", s.viewportobject);
    w.text(s.code);
    w.end();
  }
  w.end();

  w.start("layers");
  w.attr("count", int(layers.size()));
  for (const LayerRecord& l : layers) {
    w.start("layer");
    w.attr("name", l.name);
    w.attr("scene", l.scene);
    w.attr("value", l.value);
    w.end();
  }
  w.end();

  w.start("tiles");
  w.attr("count", int(tiles.size()));
  for (const TileRecord& t : tiles) {
    w.start("tile");
    w.attr("name", t.name);
    w.attr("background", t.background);
    w.attr("width", t.width);
    w.attr("height", t.height);
    w.attr("x", t.x);
    w.attr("y", t.y);
    w.attr("top", t.top);
    w.attr("left", t.left);
    w.attr("depth", t.depth);
    w.attr("scene", t.scene);
    w.end();
  }
  w.end();
}

void writeFunctions(XmlWriter& w) {
  w.start("fns");
  w.attr("count", int(fns.size()));
  for (const FunctionRecord& f : fns) {
    w.start("fn");
    w.attr("name", f.name);
    w.attr("params", f.params);
    w.attr("description", f.description);
    w.text(f.code);
    w.end();
  }
  w.end();
}

// Makes a folder of the project where none is. A link is refused: the
// save would write wherever it points. A new folder's name must reach the
// disk before the document that relies on it.
bool prepareFolder(const std::string& path) {
  if (isLink(path)) return false;
  if (fileKind(path) == FILE_FOLDER) return true;
  if (!makeFolder(path)) return false;
  save.unsyncedFolders.insert(folderOf(path.substr(0, path.size() - 1)));
  return true;
}

}  // namespace

bool writeProject() {
  const std::string folder = "Projects/" + projectName + "/";
  const std::string documentPath = "Projects/" + projectName + ".xml";
  if (!isUsableName(projectName)) {
    reportUnwritable("The project file " + documentPath);
    return false;
  }
  // Another copy of the program may be saving or opening it; a save cut
  // off between its renames is put back or finished first.
  ProjectLock lock;
  if (!lockForCommit(projectName, lock)) return false;
  // Each message of a failed save waits for its OK with the lock let go.
  auto fail = [&lock](const std::string& text) {
    unlockProject(lock);
    reportSaveError(text);
    return false;
  };
  save = SaveFiles();
  save.project = projectName;
  unwritten.clear();
  unreadable.clear();
  // A folder name that could lead out of the project folder gets no files.
  const std::string imageFolder = mediaFolderPath(folder, imgFolder);
  const std::string audioFolder = mediaFolderPath(folder, audFolder);
  for (const std::string& f : {folder, imageFolder, audioFolder}) {
    if (!f.empty() && !prepareFolder(f))
      return fail("The folder " + f.substr(0, f.size() - 1) + " cannot be written.");
  }
  // What a save that was killed left behind is of no use to anyone. Older
  // versions' carry no project's tag, as does the temporary file of any
  // copy's write in Projects/ (a thumbnail): one a day old is no write
  // under way.
  removeLeftovers("Projects", documentTempPrefix(projectName), false);
  removeLeftovers("Projects", SAVE_TEMP_PREFIX, false, 24 * 3600);
  for (const std::string& f : {folder, imageFolder, audioFolder})
    if (!f.empty()) removeLeftovers(f, SAVE_TEMP_PREFIX, true);

  XmlWriter w;
  w.out.reserve(1 << 16);
  w.declaration();
  w.start("zembrik");
  w.attr("version", programVersion);
  w.attr("uid", uidCounter);
  w.attr("title", projectInfo.title);
  w.attr("advancedscriptmode", projectInfo.advancedscriptmode);
  w.attr("imgfolder", imgFolder);
  w.attr("audfolder", audFolder);
  w.start("functions");
  w.text(projectInfo.functions);
  w.end();
  w.start("variables");
  w.text(projectInfo.variables);
  w.end();
  w.start("comments");
  w.text(projectInfo.comments);
  w.end();
  writeSprites(w, imageFolder);
  writeAudio(w, "sounds", "sound", sounds, audioFolder);
  writeAudio(w, "musics", "music", musics, audioFolder);
  writeBackgroundsAndFonts(w, imageFolder);
  writeObjectsAndScripts(w);
  writeScenes(w);
  writeFunctions(w);
  w.end();

  if (!unreadable.empty()) {
    discardFiles(save);
    return fail("The file " + unreadable + " cannot be read.");
  }
  // The document goes last: renamed into place only after every side file.
  stageDocument(save, documentPath, documentTempPrefix(projectName), w.out);
  if (!save.failedPath.empty() || !commitFiles(save)) {
    discardFiles(save);
    std::string failed = save.failedPath;
    return fail((failed == documentPath ? "The project file " : "The file ") + failed + " cannot be written.");
  }
  if (!unwritten.empty()) return fail("The frames of the sprite " + unwritten + " cannot be written.");
  setModified(0);
  projectHooks.updateWindowTitle();
  return true;
}
