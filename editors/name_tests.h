// Name tests of the property windows and the renames that carry a new name
// into the records that refer to it.
#pragma once

#include <string>

// 1 when no record of the kind other than the one at skipIndex has the name.
int isSpriteNameFree(const std::string& name, int skipIndex);
int isSoundNameFree(const std::string& name, int skipIndex);
int isMusicNameFree(const std::string& name, int skipIndex);
int isBackgroundNameFree(const std::string& name, int skipIndex);
int isFontNameFree(const std::string& name, int skipIndex);
int isObjectNameFree(const std::string& name, int skipIndex);   // definitions and instances
int isSceneNameFree(const std::string& name, int skipIndex);
int isFunctionNameFree(const std::string& name, int skipIndex);

// Each gives the record at `index` the new name and rewrites the references to it.
void renameSprite(int index, const std::string& newName);
void renameSound(int index, const std::string& newName);
void renameMusic(int index, const std::string& newName);
void renameBackground(int index, const std::string& newName);
void renameFont(int index, const std::string& newName);
void renameObject(int index, const std::string& newName);
void renameScene(int index, const std::string& newName);
void renameFunction(int index, const std::string& newName);
