// The pictures the program carries: made at start-up under fixed numbers
// and kept for the whole run (freeImage leaves them alone).
#pragma once

enum PictureNumber : int {
  // 150 x 100 resource panel cards
  PIC_RESOURCE_CARD = 98,      // white card, rounded black border, grey ground
  PIC_NO_PICTURE_CARD = 99,    // reddish-brown card with a question mark
  PIC_SOUND_CARD = 100,
  PIC_MUSIC_CARD = 101,
  PIC_FONT_CARD = 102,
  PIC_CREATE_CARD = 103,       // the add picture of every tab
  PIC_FUNCTION_CARD = 104,
  PIC_NO_SPRITE = 105,         // 100 x 100, grey with a red prohibition sign
  // 2880 x 50 heading strips, in tab order
  PIC_HEADING_SPRITES = 106,
  PIC_HEADING_SOUNDS = 107,
  PIC_HEADING_MUSICS = 108,
  PIC_HEADING_BACKGROUNDS = 109,
  PIC_HEADING_FONTS = 110,
  PIC_HEADING_OBJECTS = 111,
  PIC_HEADING_SCENES = 112,
  PIC_HEADING_FUNCTIONS = 113,
  // 16 x 16 event kind icons, in the order of the event kinds
  PIC_EVENT_CREATION = 122,
  PIC_EVENT_DESTROY = 123,
  PIC_EVENT_STEP = 124,
  PIC_EVENT_END_STEP = 125,
  PIC_EVENT_COLLISION = 126,
  PIC_EVENT_ROOM_START = 127,
  PIC_EVENT_ROOM_END = 128,
  PIC_EVENT_ANIMATION_END = 129,
  PIC_EVENT_DRAW = 130,
  PIC_SPLASH = 131,            // 800 x 600
  PIC_CHECKERBOARD = 144,      // 800 x 800 backdrop of 16 x 16 squares
  // 275 x 38 pictures of the Game tab
  PIC_GAME_GLOBALS = 147,
  PIC_GAME_FUNCTIONS = 148,
  PIC_GAME_COMMENTS = 149,
  PIC_GAME_EXTENSIONS = 150,
  PIC_ABOUT = 151,             // 500 x 350
  PIC_BLANK = 152,             // 100 x 100, opaque black
  // 16 x 16 toolbar, menu and tab icons
  PIC_ICON_NEW = 156,          // a blank page
  PIC_ICON_NO_IMAGE = 157,     // a red disc with a white cross
  PIC_ICON_OPEN = 158,
  PIC_ICON_SAVE = 159,
  PIC_ICON_RUN = 160,
  PIC_ICON_SPRITE = 161,
  PIC_ICON_SOUND = 162,
  PIC_ICON_MUSIC = 163,
  PIC_ICON_FONT = 164,
  PIC_ICON_BACKGROUND = 165,
  PIC_ICON_OBJECT = 166,
  PIC_ICON_SCENE = 167,
  PIC_ICON_FUNCTION = 168,
  PIC_ICON_GRID = 169,         // 15 x 15
  PIC_ICON_SNAP = 170,         // 15 x 15, a grid with a magnet
  PIC_ICON_SAVE_AS = 171,
  PIC_ICON_HELP = 174,
  PIC_ICON_CHECK_VERSION = 176,
  PIC_ICON_PLACE = 177,        // a star
  PIC_ICON_SELECT = 178,       // a green downward arrow
  PIC_ICON_SHIFT_SCENE = 179,  // a blue arrow
  // 16 x 16 frame editor tools
  PIC_TOOL_DELETE = 180,       // a red cross; also "remove" in the scene window
  PIC_TOOL_ADD_FRAME = 181,
  PIC_TOOL_DUPLICATE = 182,
  PIC_TOOL_MOVE_LEFT = 183,
  PIC_TOOL_MOVE_RIGHT = 184,
  PIC_TOOL_SHIFT = 185,
  PIC_TOOL_MIRROR = 186,
  PIC_TOOL_ROTATE = 187,
  PIC_TOOL_SCALE = 188,
  PIC_TOOL_RESIZE_CANVAS = 189,
  PIC_TOOL_STRETCH = 190,
  PIC_TOOL_GRAYSCALE = 191,
  PIC_TOOL_SWAP_CHANNELS = 192,
  PIC_TOOL_COLORIZE = 193,
  PIC_TOOL_INVERT = 194,
  PIC_TOOL_COLOR_BALANCE = 195,
  PIC_TOOL_ERASE_COLOR = 196,
  PIC_TOOL_OPACITY = 197,
  PIC_TOOL_BRIGHTNESS = 198,
  PIC_TOOL_POSTERIZE = 199,
  PIC_TOOL_NOISE = 200,
  PIC_TOOL_MAKE_OPAQUE = 201,
  PIC_CURRENT_FRAME_MARK = 229,  // 1280 x 1280, every other pixel light blue
  PIC_HUE_SPECTRUM = 230,        // 360 x 19, column x = hue x degrees
  PIC_PROJECT_PLACEHOLDER = 231, // 240 x 240
};

// Makes every carried picture under its number and keeps it. Text in the
// pictures needs the QGuiApplication made by initUi; a second call does
// nothing.
void loadCarriedPictures();
