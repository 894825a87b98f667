// The 150 x 100 panel pictures of the resource panel: the resource card with
// a picture scaled into the 60 x 60 box at (45, 20). The shell draws them
// for every sprite and background; the editing windows draw them on a change.
#pragma once

// The size of a picture in the 60 x 60 box of a resource panel picture.
// The longer side becomes 60, the other keeps the ratio, rounded to the
// nearest (halves to even); w and h must be at least 1.
void thumbnailSize(int w, int h, int& outW, int& outH);

// A fresh 150 x 100 panel picture: the resource card with `picture` scaled
// into the 60 x 60 box at (45, 20); `picture` 0 draws nothing more.
int panelPicture(int picture);
