// Deleting records with their cascades, and duplicating an object. None of
// these asks, shows or touches a file, and none changes the modified flag.
// Every record whose key equals the name goes, not only the first; the
// remaining records keep their order and every field.
#pragma once

#include <string>

void deleteSound(const std::string& name);
void deleteMusic(const std::string& name);
void deleteFont(const std::string& name);
void deleteFunction(const std::string& name);
// Only the layer records; the tiles at its depth are the caller's to remove.
void deleteLayer(const std::string& name);
// The tiles of that (tile) name; their images are released.
void removeTiles(const std::string& name);
// Clears the background of the scenes using it (their tiling and stretch
// flags stay) and removes the tiles cut from it.
void deleteBackground(const std::string& name);
// The objects of that name, the instances whose template is that name, and
// the event records of that object. Images are shared frame images: kept.
void deleteObject(const std::string& name);
// The scene with its own instances, its layers and its tiles.
void deleteScene(const std::string& name);
// Clears the sprite of the objects using it, removes its frames (releasing
// their images) and sets every object's image again from its sprite.
void deleteSprite(const std::string& name);
// Appends a copy of the first object of that name, named name + "_dup", and
// copies of its event records (keeping their event ids).
void duplicateObject(const std::string& name);
