// The scenes' cards in the resource panel, made without a window.
#pragma once

// Makes the panel picture of every scene as the scene window's Done makes
// it, from the records and the work folder's pictures, so that an opened
// project shows its scenes at once. A background or sprite that is missing
// leaves its part out; every scene still gets its card.
void buildSceneCards();
