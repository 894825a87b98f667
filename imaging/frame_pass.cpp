#include "imaging/frame_pass.h"

#include "project/tables.h"
#include "ui/image.h"

int applyToFrames(const std::string& sprite, int currentFrame, bool allFrames, const FrameOperation& operation) {
  int changed = 0;
  for (size_t i = 0; i < frames.size(); i++) {
    FrameRecord& frame = frames[i];
    if (frame.sprite != sprite) continue;
    if (!allFrames && int(i) != currentFrame) continue;
    if (!isImage(frame.image)) continue;
    int result = operation(frame.image);
    if (result == 0) continue;
    if (result != frame.image) {
      freeImage(frame.image);
      frame.image = result;
    }
    changed++;
  }
  return changed;
}
