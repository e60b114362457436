// Aiming, firing and landing: turning the launcher with the mouse or the arrow keys, the
// aiming guide, firing the next ball, flying it along the aim path and settling it into the
// grid. Two short animations block input while they run: the landing slide and the lost shot.
#pragma once

namespace vx {

struct ShooterState {
  float aimAngle = 0.0f;  // degrees, 0 straight up, positive to the right, within -87..87
  int prevMouseX = 256;
  int lastClickTick = 0;  // trunc(aimAngle) / 3 when the wheel click last sounded
  float aimTargetX = 0.0f, aimTargetY = 0.0f;
  float ballX = 58.5f, ballY = 645.5f;  // the ball in the launcher or in flight
  int shotColour = 1;                   // kind of the loaded ball; 27 for a laser shot
  bool shotActive = false;              // a ball is in flight
  float shotProgress = 0.0f;            // index into the aim path the flying ball reached
  int pathResult = 0;                   // result of the last aim path
  int pathStop = 0;                     // path points the flying ball travels
  float landX = 0.0f, landY = 0.0f;     // the grid place the ball settles in
  float guideTimer = 0.0f;              // phase of the marching guide dots, 0..30
  int newCell = -1;                     // the cell created by the last landing
  int hitCellOfShot = -1;               // the cell the current shot's path touched, or -1
  // A ball settled in the bottom zone: the invasion starts. The invasion belongs to the field
  // objects, a floor above; the play frame starts it right after the shooter's update.
  bool invasionDue = false;

  // Landing slide: the ball sliding from where its flight ended into its grid place.
  float slideX = 0.0f, slideY = 0.0f;
  float slideStepX = 0.0f, slideStepY = 0.0f;
  float slideSteps = 0.0f;  // steps left; the slide runs while above 0
  float slideAccumulator = 0.0f;
  int slideColour = 0;
  int slideCell = -1;

  // Lost shot: a ball that found no place, flying off the screen under gravity.
  float lostX = 0.0f, lostY = 0.0f;
  float lostVX = 0.0f, lostVY = 0.0f;
  int lostColour = 0;
  bool lostActive = false;
};
extern ShooterState shooter;

// The shooter's work of one play frame.
void UpdateShooter();

void StartLandingSlide(float fromX, float fromY, float toX, float toY, int colour, int cell);
// Advances and draws the slide; true while it runs.
bool UpdateLandingSlide();
void StartLostShot(float x, float y, int colour, float dx, float dy);
// Advances and draws the lost shot; true while it flies.
bool UpdateLostShot();

// The landing slide or the lost shot is running: aiming and firing wait, and so does the
// pusher.
bool ShooterBusy();

// Appends a hit flash at (x, y); refused once the table holds 2000 objects.
void SpawnHitFlash(float x, float y);

// Looks for a random free grid place away from the bottom and writes it to landX, landY;
// false when none was found.
bool FindFreeSpot();

}  // namespace vx
