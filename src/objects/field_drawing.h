// Drawing of the play field and the small play displays.
#pragma once

namespace vx {

void DrawField();
void PlayKeys();
void RemainingBallsPopup(float size, float rotation);
// -1 resets, 99 returns the ticks without advancing, anything else advances and draws.
int StageClock(int command);
void EnergyDisplay(int energy);
// Empties the player-figure image table.
void ClearPlayerFigures();

}  // namespace vx
