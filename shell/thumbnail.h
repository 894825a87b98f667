// The size of a picture in the 60 x 60 box of a resource panel picture.
#pragma once

// The longer side becomes 60, the other keeps the ratio, rounded to the
// nearest (halves to even); w and h must be at least 1.
void thumbnailSize(int w, int h, int& outW, int& outH);
