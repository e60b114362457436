#include "objects/field_drawing.h"

namespace vx {

// Not built yet: the field drawing and the play displays.
void DrawField() {}
void PlayKeys() {}
void RemainingBallsPopup(float, float) {}
int StageClock(int) {
  return 0;
}
void EnergyDisplay(int) {}
void ClearPlayerFigures() {}

}  // namespace vx
