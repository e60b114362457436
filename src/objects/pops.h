// The objects that come out of play: popping balls with their wobble and explosion, falling
// balls, hit flashes, bombs with their blasts (which cost energy), and growing balls that turn
// into cells unless the player shoots them first.
#pragma once
#include <cstdint>

namespace vx {

// The bomb-blast sequence; it outlives the bomb that started it, and a new landing restarts it.
struct BlastState {
  float blastClock = 0.0f;  // units of the sequence left; 0 none
  float nextBlastMark = 0.0f;
  int secondaryCount = 0;       // secondary blasts since energy was last taken
  float flashClock = 0.0f;      // units left of the full-screen flash
  std::int16_t lastFrame = -1;  // play frame in which the blast clock last advanced
};
extern BlastState blast;

int PoppingBall(int i);
int FallingBall(int i);
int HitFlash(int i);
int Bomb(int i);
int BombBlast(int i);
// Bits 0x20 and 0x10: counts down and grows into a cell of its code.
int GrowingBall(int i);

// Starts a blast sequence at (x, y), where a bomb landed.
void StartBombBlast(float x, float y);

// Whether the flying ball is inside the hit box of an object at (x, y).
bool ShotHits(float x, float y);
// The object took the shot: it is gone, and the next ball is loaded.
void UseUpShot();

}  // namespace vx
