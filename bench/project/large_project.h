// The large project of the benchmarks: per unit of size, 2,000 sprites of 4
// frames of 32 x 32, 10 tile-set backgrounds, 1,000 objects with 5 events
// each, 100 scenes with 500 instances and 500 tiles each, 500 functions.
// The backgrounds' files go into the work folder, which must exist.
#pragma once

void buildLargeProject(int size);
// The same counted in quarters of that unit (1 is a quarter project).
void buildLargeProjectQuarters(int quarters);
