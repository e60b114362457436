// Music for each game state.
#pragma once

namespace vx {

void UpdateMusic(int state, int stageNumber);
// Stops and closes the music (quit path).
void StopAndCloseMusic();

}  // namespace vx
