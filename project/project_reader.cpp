#include <array>
#include <climits>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "project/file_names.h"
#include "project/hooks.h"
#include "project/message_texts.h"
#include "project/project_file.h"
#include "project/project_lock.h"
#include "project/save_files.h"
#include "project/tables.h"
#include "project/xml_read.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/system.h"

namespace {

// The empty white card of the resource panel, carried by the program.
constexpr int EMPTY_SCENE_CARD = 98;
// Files of this version on keep their images and sounds in named folders,
// store `direction` and `image_angle`, and carry the user functions.
constexpr int FOLDERS_VERSION = 129;

const char* const cannotRead = "The project file cannot be read.";

struct Reader {
  const XmlDocument& doc;
  int version;
  std::string imageSource;   // folder the frame and background files come from
  std::string audioSource;
  size_t projectFolderLength = 0;   // of "Projects/N/", which the image source starts with

  // The section at a root position and the number of records it gives: its
  // `count`, but never below 0 nor above the children it really has.
  int section(int position, size_t& count) const {
    int node = doc.child(doc.root, size_t(position));
    int n = textValue(doc.attribute(node, "count"));
    count = n <= 0 ? 0 : std::min(size_t(n), doc.childCount(node));
    return node;
  }
  // Records are read field by field in the order the writer puts them.
  mutable uint32_t hint = 0;
  std::string_view text(int node, std::string_view name) const { return doc.attribute(node, name, hint); }
  int number(int node, std::string_view name) const { return textValue(doc.attribute(node, name, hint)); }

  // A picture of the image source folder that could not be read, by its
  // path inside the project folder, each once.
  mutable std::unordered_set<std::string> unreadSeen{};
  void noteUnread(const std::string& file) const {
    std::string path = imageSource.substr(projectFolderLength) + file;
    if (unreadSeen.insert(path).second) unreadPictures.push_back(shownText(path));
  }
};


int64_t declaredPixels(const std::string& path) {
  int width, height;
  return imageFileDimensions(path, width, height) ? int64_t(width) * height : 0;
}

// Adds up the pictures Open would make, by the sizes their files and tile
// records declare, without decoding any of them.
bool withinPixelBudget(const Reader& r) {
  int64_t total = 0;
  size_t n;
  int list = r.section(5, n);
  for (size_t i = 0; i < n && total <= projectPixelBudget; ++i) {
    int e = r.doc.child(list, i + 1);
    std::string file = std::string(r.text(e, "sprite")) + "_" + std::string(r.text(e, "file")) + ".png";
    if (isUsableName(file)) total += declaredPixels(r.imageSource + file);
  }
  std::unordered_map<std::string, std::string> fileOf;
  list = r.section(8, n);
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    std::string_view file = r.text(e, "file");
    if (!file.empty()) fileOf[std::string(r.text(e, "name"))] = file;
  }
  std::unordered_map<std::string, bool> counted;
  list = r.section(14, n);
  for (size_t i = 0; i < n && total <= projectPixelBudget; ++i) {
    int e = r.doc.child(list, i + 1);
    auto it = fileOf.find(std::string(r.text(e, "background")));
    if (it == fileOf.end()) continue;
    int64_t width = r.number(e, "width"), height = r.number(e, "height");
    if (width > 0 && height > 0 && width <= IMAGE_MAX_SIDE && height <= IMAGE_MAX_SIDE) total += width * height;
    if (!counted[it->first] && isUsableName(it->second)) total += declaredPixels(r.imageSource + it->second);
    counted[it->first] = true;
  }
  return total <= projectPixelBudget;
}

void copyToWorkFolder(const std::string& sourceFolder, const std::string& name) {
  if (!isUsableName(name)) return;
  std::string source = sourceFolder + name;
  // The work folder is thrown away at the end: no sync, nothing to keep whole.
  std::string bytes;
  if (fileKind(source) == FILE_REGULAR && readFile(source, bytes)) writeFile(workFolder + "/" + name, bytes);
}

int loadedOrNone(int image) { return image > 0 ? image : -1; }

void readSpritesAndFrames(const Reader& r) {
  size_t n;
  int list = r.section(4, n);
  sprites.assign(n, SpriteRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    SpriteRecord& s = sprites[i];
    s.name = r.text(e, "name");
    s.thumbnail = -1;
    s.centerx = r.number(e, "centerx");
    s.centery = r.number(e, "centery");
    s.collisionshape = r.text(e, "collisionshape");
    s.collisionradius = r.number(e, "collisionradius");
    s.collisionleft = r.number(e, "collisionleft");
    s.collisionright = r.number(e, "collisionright");
    s.collisiontop = r.number(e, "collisiontop");
    s.collisionbottom = r.number(e, "collisionbottom");
  }
  list = r.section(5, n);
  frames.assign(n, FrameRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    FrameRecord& f = frames[i];
    f.file = r.text(e, "file");
    f.sprite = r.text(e, "sprite");
    f.image = -1;
    std::string file = f.sprite + "_" + f.file + ".png";
    if (isUsableName(file)) f.image = loadedOrNone(loadImage(-1, r.imageSource + file));
    if (f.image <= 0) r.noteUnread(file);
  }
}

template <typename Record>
void readAudio(const Reader& r, int position, std::vector<Record>& table) {
  size_t n;
  int list = r.section(position, n);
  table.assign(n, Record());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    Record& a = table[i];
    a.name = r.text(e, "name");
    a.wav = r.text(e, "wav");
    a.mp3 = r.text(e, "mp3");
    a.ogg = r.text(e, "ogg");
    copyToWorkFolder(r.audioSource, a.wav);
    copyToWorkFolder(r.audioSource, a.mp3);
    copyToWorkFolder(r.audioSource, a.ogg);
  }
}

void readBackgroundsAndFonts(const Reader& r) {
  size_t n;
  int list = r.section(8, n);
  backgrounds.assign(n, BackgroundRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    BackgroundRecord& b = backgrounds[i];
    b.name = r.text(e, "name");
    b.file = r.text(e, "file");
    b.thumbnail = -1;
    b.tile = r.number(e, "tile");
    b.tileheight = r.number(e, "tileheight");
    b.tilewidth = r.number(e, "tilewidth");
    b.tilexoffset = r.number(e, "tilexoffset");
    b.tileyoffset = r.number(e, "tileyoffset");
    b.tilexspace = r.number(e, "tilexspace");
    b.tileyspace = r.number(e, "tileyspace");
    copyToWorkFolder(r.imageSource, b.file);
  }
  list = r.section(9, n);
  fonts.assign(n, FontRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    FontRecord& f = fonts[i];
    f.name = r.text(e, "name");
    f.family = r.text(e, "family");
    f.size = r.number(e, "size");
    f.bold = r.number(e, "bold");
    f.italic = r.number(e, "italic");
  }
}

void readObjectsAndScripts(const Reader& r) {
  size_t n;
  int list = r.section(10, n);
  objects.assign(n, ObjectRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    ObjectRecord& o = objects[i];
    o.name = r.text(e, "name");
    o.template_ = r.text(e, "template");
    o.prototype = r.number(e, "prototype");
    o.scene = r.text(e, "scene");
    o.sprite = r.text(e, "sprite");
    o.x = r.number(e, "x");
    o.y = r.number(e, "y");
    o.visible = r.number(e, "visible");
    o.depth = r.number(e, "depth");
    o.collision = r.number(e, "collision");
    o.parent = r.text(e, "parent");
    if (r.version >= FOLDERS_VERSION) {
      o.direction = r.number(e, "direction");
      o.image_angle = r.number(e, "image_angle");
    }
    o.image = -1;
    o.rotatedImage = -1;
  }
  list = r.section(11, n);
  scripts.assign(n, ScriptRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    ScriptRecord& s = scripts[i];
    s.name = r.text(e, "name");
    s.object = r.text(e, "object");
    s.event = r.text(e, "event");
    s.parameter = r.text(e, "parameter");
    s.code = r.doc.text(e);
  }
}

void readScenes(const Reader& r) {
  size_t n;
  int list = r.section(12, n);
  scenes.assign(n, SceneRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    SceneRecord& s = scenes[i];
    s.name = r.text(e, "name");
    s.width = r.number(e, "width");
    s.height = r.number(e, "height");
    s.speed = r.number(e, "speed");
    s.red = r.number(e, "red");
    s.green = r.number(e, "green");
    s.blue = r.number(e, "blue");
    s.background = r.text(e, "background");
    s.backgroundstretch = r.number(e, "backgroundstretch");
    s.backgroundtilex = r.number(e, "backgroundtilex");
    s.backgroundtiley = r.number(e, "backgroundtiley");
    s.viewportwidth = r.number(e, "viewportwidth");
    s.viewportheight = r.number(e, "viewportheight");
    s.viewportxborder = r.number(e, "viewportxborder");
    s.viewportyborder = r.number(e, "viewportyborder");
    s.viewportobject = r.text(e, "viewportobject");
    s.code = r.doc.text(e);
    s.thumbnail = EMPTY_SCENE_CARD;
  }
  list = r.section(13, n);
  layers.assign(n, LayerRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    LayerRecord& l = layers[i];
    l.name = r.text(e, "name");
    l.scene = r.text(e, "scene");
    l.value = r.number(e, "value");
  }
  list = r.section(14, n);
  tiles.assign(n, TileRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    TileRecord& t = tiles[i];
    t.name = r.text(e, "name");
    t.background = r.text(e, "background");
    t.width = r.number(e, "width");
    t.height = r.number(e, "height");
    t.x = r.number(e, "x");
    t.y = r.number(e, "y");
    t.top = r.number(e, "top");
    t.left = r.number(e, "left");
    t.depth = r.number(e, "depth");
    t.scene = r.text(e, "scene");
    t.image = -1;
  }
}

void readFunctions(const Reader& r) {
  size_t n;
  int list = r.section(15, n);
  fns.assign(n, FunctionRecord());
  for (size_t i = 0; i < n; ++i) {
    int e = r.doc.child(list, i + 1);
    FunctionRecord& f = fns[i];
    f.name = r.text(e, "name");
    f.params = r.text(e, "params");
    f.description = r.text(e, "description");
    f.code = r.doc.text(e);
  }
}

// A tile's picture: its rectangle of the background image, or opaque red
// when that image could not be loaded; none for a size no image can have.
int cutTile(const TileRecord& t, int background) {
  if (t.width <= 0 || t.height <= 0 || t.width > IMAGE_MAX_SIDE || t.height > IMAGE_MAX_SIDE)
    return -1;
  if (background <= 0) return loadedOrNone(createImage(-1, t.width, t.height, 32, rgba(255, 0, 0, 255)));
  int image = createImage(-1, t.width, t.height, 32, 0);
  if (image <= 0) return -1;
  // Only a rectangle that meets the background is drawn, which also keeps
  // the offsets far from the ends of the integer range.
  if (t.left < imageWidth(background) && t.top < imageHeight(background) && t.left > -t.width &&
      t.top > -t.height && startDrawing(image)) {
    drawingMode(DRAW_ALPHABLEND);
    drawImage(background, -t.left, -t.top);
    stopDrawing();
  }
  return image;
}

// Tiles of the same rectangle are cut once: the others get copies, which
// share its pixels until one of them is drawn into.
void cutTilesOf(const std::vector<size_t>& own, int background) {
  std::map<std::array<int, 4>, int> cut;
  for (size_t k : own) {
    TileRecord& t = tiles[k];
    if (t.image > 0) freeImage(t.image);   // two backgrounds of one name: the last one cuts
    auto same = cut.find({t.left, t.top, t.width, t.height});
    int copy = same == cut.end() ? 0 : copyImage(same->second);
    t.image = copy > 0 ? copy : cutTile(t, background);
    if (same == cut.end() && t.image > 0) cut[{t.left, t.top, t.width, t.height}] = t.image;
  }
}

// Every background's picture is loaded once from its copy in the work
// folder, so that one that cannot be read is told; those with tiles give
// them their pictures.
void readBackgroundPictures(const Reader& r) {
  std::unordered_map<std::string, std::vector<size_t>> tilesOf;
  for (size_t i = 0; i < tiles.size(); ++i) tilesOf[tiles[i].background].push_back(i);
  for (const BackgroundRecord& b : backgrounds) {
    if (b.file.empty()) continue;
    int image = isUsableName(b.file) ? loadImage(-1, workFolder + "/" + b.file) : 0;
    if (image <= 0) r.noteUnread(b.file);
    auto it = tilesOf.find(b.name);
    if (it != tilesOf.end()) cutTilesOf(it->second, image);
    if (image > 0) freeImage(image);
  }
}

// Every record whose template names an object definition takes that
// definition's depth. Definitions are visited in table order and a later
// one of the same name overrides, so the last definition of a name wins,
// with its depth as it stood when its turn came.
void applyDefinitionDepths() {
  std::unordered_map<std::string, int> depthOf;
  for (const ObjectRecord& o : objects) {
    if (o.prototype != 1) continue;
    int depth = o.depth;
    auto it = depthOf.find(o.template_);
    if (it != depthOf.end()) depth = it->second;
    depthOf[o.name] = depth;
  }
  for (ObjectRecord& o : objects) {
    auto it = depthOf.find(o.template_);
    if (it != depthOf.end()) o.depth = it->second;
  }
}

}  // namespace

int64_t projectPixelBudget = int64_t(1) << 28;
std::vector<std::string> unreadPictures;

bool openProjectNamed(const std::string& nameArg) {
  const std::string name = nameArg;
  std::string bytes, error;
  XmlDocument doc;
  // Held until every file is read: another copy's save in between would
  // give a document with pictures of another save. Without a lock file
  // (Projects/ read-only) a project is still read, when no journal names it.
  ProjectLock lock;
  if (isUsableName(name)) {
    const ProjectLockState state = lockProject(name, lock);
    if (state == PROJECT_BUSY) {
      projectHooks.message("Error", projectBusyText(name));
      return false;
    }
    // A save cut off between its renames is put back or finished first.
    if (!recoverSave(name, state == PROJECT_HELD, error)) {
      unlockProject(lock);   // not held while the message waits for its OK
      projectHooks.message("Error", error);
      return false;
    }
  }
  if (!isUsableName(name) || !readFile("Projects/" + name + ".xml", bytes) || !parseXml(bytes, doc)) {
    unlockProject(lock);
    projectHooks.message("Error", cannotRead);
    return false;
  }
  bytes.clear();
  bytes.shrink_to_fit();
  int version = textValue(doc.attribute(doc.root, "version"));
  if (version > programVersion) {
    unlockProject(lock);
    projectHooks.message("Error", "This project requires a new program version (v" +
                                      std::to_string(version) + ").");
    return false;
  }
  const bool folders = version >= FOLDERS_VERSION;
  if (doc.childCount(doc.root) < (folders ? 15u : 14u)) {
    unlockProject(lock);
    projectHooks.message("Error", cannotRead);
    return false;
  }

  const std::string folder = "Projects/" + name + "/";
  Reader r{doc, version, folder, folder, folder.size()};
  if (folders) {
    // An unusable folder name keeps the preference value.
    std::string img(doc.attribute(doc.root, "imgfolder"));
    std::string aud(doc.attribute(doc.root, "audfolder"));
    r.imageSource = folder + (isUsableName(img) ? img : imgFolder) + "/";
    r.audioSource = folder + (isUsableName(aud) ? aud : audFolder) + "/";
  }
  if (!withinPixelBudget(r)) {
    unlockProject(lock);
    projectHooks.message("Error", cannotRead);
    return false;
  }

  setModified(0);   // before the reset, so that it asks nothing
  projectHooks.newProject();
  projectName = name;
  unreadPictures.clear();
  projectHooks.setStatusText("OPENING PROJECT...");

  uidCounter = textValue(doc.attribute(doc.root, "uid"));
  projectInfo.title = std::string(doc.attribute(doc.root, "title"));
  projectInfo.advancedscriptmode = textValue(doc.attribute(doc.root, "advancedscriptmode"));
  projectInfo.functions = doc.text(doc.child(doc.root, 1));
  projectInfo.variables = doc.text(doc.child(doc.root, 2));
  projectInfo.comments = doc.text(doc.child(doc.root, 3));

  if (folders) {
    // A missing name, or one that could lead out, keeps the preference value
    // that the reset read; "" and "." stand for the project folder itself.
    std::string img(doc.attribute(doc.root, "imgfolder"));
    std::string aud(doc.attribute(doc.root, "audfolder"));
    if (doc.hasAttribute(doc.root, "imgfolder") && isMediaFolderName(img)) imgFolder = img;
    if (doc.hasAttribute(doc.root, "audfolder") && isMediaFolderName(aud)) audFolder = aud;
    r.imageSource = mediaFolderPath(folder, imgFolder);
    r.audioSource = mediaFolderPath(folder, audFolder);
  }

  readSpritesAndFrames(r);
  readAudio(r, 6, sounds);
  readAudio(r, 7, musics);
  readBackgroundsAndFonts(r);
  readObjectsAndScripts(r);
  readScenes(r);
  if (folders) readFunctions(r);

  readBackgroundPictures(r);
  projectHooks.buildResourceIcons();
  applyDefinitionDepths();
  noteTablesChanged();
  projectHooks.setStatusText("STATUS: READY.");
  projectHooks.showFirstResourceTab();
  return true;
}

void warnOfUnreadPictures() {
  if (unreadPictures.empty()) return;
  if (unreadPictures.size() == 1)
    projectHooks.message("Warning", "The picture " + unreadPictures[0] +
                                        " cannot be read. It stays empty in the project; its file is left as it is.");
  else
    projectHooks.message("Warning", std::to_string(unreadPictures.size()) + " pictures cannot be read: " +
                                        firstFewOf(unreadPictures, 5) +
                                        ". They stay empty in the project; their files are left as they are.");
  unreadPictures.clear();
}

bool openProject() {
  if (modifiedFlag == 1 &&
      projectHooks.confirmYesNo("Confirm", "Unsaved changes will be lost. Open a new project?") != 1)
    return false;
  std::string name = projectHooks.chooseProject();
  if (name.empty()) return false;
  return openProjectNamed(name);
}
