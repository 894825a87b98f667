// The open project: one global table per record kind, the project record,
// the project-wide counter and the modified flag. Records refer to one
// another by name, never by position.
//
// Each table is a std::vector holding exactly its records, first to last in
// table order; size() is the number of records. The spare slot that follows
// the records is not stored: appending (appendX below) writes into a fresh
// record whose texts are empty and integers 0, and that record goes to the
// end. Removing rebuilds the table in order (std::vector::erase keeps order).
//
// Image numbers (`thumbnail`, `image`, `rotatedImage`) are handles into the
// image store; -1 means none. They are never saved.
#pragma once

#include <string>
#include <vector>

struct ProjectRecord {
  std::string title;
  std::string variables;
  std::string functions;
  int advancedscriptmode = 0;
  std::string comments;
};

struct SpriteRecord {
  std::string name;
  int thumbnail = 0;
  std::string collisionshape;   // "Box" or "Circle"
  int collisionradius = 0;
  int collisionleft = 0;
  int collisionright = 0;
  int collisiontop = 0;
  int collisionbottom = 0;
  int centerx = 0;
  int centery = 0;
};

struct FrameRecord {
  std::string file;     // the frame's number as decimal text
  std::string sprite;   // owning sprite
  int image = 0;
};

struct SoundRecord {
  std::string name;
  std::string wav;
  std::string mp3;
  std::string ogg;
};

struct MusicRecord {
  std::string name;
  std::string wav;
  std::string mp3;
  std::string ogg;
};

struct BackgroundRecord {
  std::string name;
  std::string file;
  int thumbnail = 0;
  int tile = 0;
  int tilewidth = 0;
  int tileheight = 0;
  int tilexoffset = 0;
  int tileyoffset = 0;
  int tilexspace = 0;
  int tileyspace = 0;
};

struct FontRecord {
  std::string name;
  std::string family;
  int size = 0;
  int bold = 0;
  int italic = 0;
};

// Object definitions (prototype 1) and instances placed in scenes
// (prototype 0) share the table. `template_` is the record's `template`
// field (the name is a C++ keyword): the definition an instance instances.
struct ObjectRecord {
  int prototype = 0;
  std::string template_;
  std::string name;
  std::string sprite;
  std::string scene;
  int x = 0;
  int y = 0;
  int selected = 0;
  int image = 0;
  int rotatedImage = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  int visible = 0;
  int depth = 0;
  int collision = 0;
  std::string parent;
  int direction = 0;
  int image_angle = 0;
};

struct ScriptRecord {
  std::string name;        // event id, "scr_" + counter
  std::string object;      // owning object definition
  std::string event;       // "Creation", "Destroy", "Step", "End step", "Collision",
                           // "Room start", "Room end", "Animation end", "Draw"
  std::string parameter;   // other object of a "Collision" event
  std::string code;
};

struct SceneRecord {
  std::string name;
  int thumbnail = 0;
  int width = 0;
  int height = 0;
  int viewportwidth = 0;
  int viewportheight = 0;
  int red = 0;
  int green = 0;
  int blue = 0;
  std::string code;
  int speed = 0;
  std::string background;
  int backgroundtilex = 0;
  int backgroundtiley = 0;
  int backgroundstretch = 0;
  std::string viewportobject;
  int viewportxborder = 0;
  int viewportyborder = 0;
};

struct LayerRecord {
  std::string name;
  int value = 0;    // the layer's depth
  std::string scene;
};

// A tile lies on the layer of its scene whose `value` equals its `depth`.
struct TileRecord {
  std::string name;
  std::string background;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int x = 0;
  int y = 0;
  int depth = 0;
  std::string scene;
  int image = 0;
  int selected = 0;
};

struct FunctionRecord {
  std::string name;
  std::string params;
  std::string description;
  std::string code;
};

extern ProjectRecord projectInfo;
extern std::vector<SpriteRecord> sprites;
extern std::vector<FrameRecord> frames;
extern std::vector<SoundRecord> sounds;
extern std::vector<MusicRecord> musics;
extern std::vector<BackgroundRecord> backgrounds;
extern std::vector<FontRecord> fonts;
extern std::vector<ObjectRecord> objects;
extern std::vector<ScriptRecord> scripts;
extern std::vector<SceneRecord> scenes;
extern std::vector<LayerRecord> layers;
extern std::vector<TileRecord> tiles;
extern std::vector<FunctionRecord> fns;

extern int uidCounter;     // behind every generated name; saved as root attribute `uid`
extern int modifiedFlag;   // 1 = changes since the last save, new or open

// The program version written into and tested against project files.
constexpr int programVersion = 130;

// Project name ("" for an unsaved project), the work folder of picked
// files (e.g. "_temp_101502"), and the names of the image and audio folders
// inside Projects/N (start-up sets "img" and "aud", preferences may change them).
extern std::string projectName;
extern std::string workFolder;
extern std::string imgFolder;
extern std::string audFolder;

// The project thumbnail that the scene window's Done made last in this
// project (0 while none was made): kept so that a name given later (Save
// as, or the first Save) gets it too, also when no file could hold it yet.
extern int projectThumbnail;

// Appending: the new record at the end, every text empty, every integer 0.
SpriteRecord& appendSprite();
FrameRecord& appendFrame();
SoundRecord& appendSound();
MusicRecord& appendMusic();
BackgroundRecord& appendBackground();
FontRecord& appendFont();
ObjectRecord& appendObject();
ScriptRecord& appendScript();
SceneRecord& appendScene();
LayerRecord& appendLayer();
TileRecord& appendTile();
FunctionRecord& appendFunction();

// Moves on at every change that can add, remove or reorder records or change
// which scene, depth or picture a record has: appending, removing, clearing,
// reading a project, renaming, and the editors that rewrite instances and
// tiles. Whatever keeps something derived from the tables from tick to tick
// (the scene view's drawing order) takes it up again when this has moved.
extern unsigned tableGeneration;
void noteTablesChanged();

// Adds 1 to uidCounter and returns the new value.
int nextUid();
void setModified(int value);
void resetProjectRecord();
// Empties every table (releasing the frame and tile images, the panel
// pictures and the project thumbnail), resets the project record, uidCounter to
// 1 and modifiedFlag to 0: the table part of the new-project reset.
void clearProjectTables();

// Lookups by name: the first record in table order; none of them looks at
// `prototype`.
int objectHasEvent(const std::string& objectName, const std::string& eventKind);   // 1 or 0
int objectDepth(const std::string& objectName);                                     // 0 if none
std::string objectSprite(const std::string& objectName);                            // "" if none
int spriteFirstFrameImage(const std::string& spriteName);                           // -1 if none
// Positions, -1 when there is none.
int findSprite(const std::string& name);
int findSound(const std::string& name);
int findMusic(const std::string& name);
int findBackground(const std::string& name);
int findFont(const std::string& name);
int findObject(const std::string& name);        // any record, definition or instance
int findObjectDefinition(const std::string& name);   // prototype 1 only
int findScript(const std::string& name);
int findScene(const std::string& name);
int findLayer(const std::string& name);
int findTile(const std::string& name);
int findFunction(const std::string& name);
// tables: ready
