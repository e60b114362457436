// The specials that react when a shot settles against them: the blast breaks everything
// around it, the springs make new balls or seeds grow on their place and the free places
// around it.
#pragma once

namespace vx {

// Marks the hit cell and every cell with a corner in the area around it breaking (in a
// regular grid, the six neighbours); returns the number marked.
int Blast(int i);
// Breaks the spring and grows a ball on its place and on every free neighbour place.
void GemSpring(int i);
// As the gem spring, growing seeds (kind 25).
void SeedSpring(int i);
// As the gem spring, with at most stage number + 1 extra balls.
void LimitedGemSpring(int i);

void SpawnGrowingBall(float x, float y);
void SpawnGrowingSeed(float x, float y);

}  // namespace vx
