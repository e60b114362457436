// What special balls do: specials that pulse, the three that mature into an aura
// (deflector, absorber, colour changer) and the laser ball that matures into a beam stopping
// shots, the springs that break by age, and the bomb carriers chosen among the colour balls.
#pragma once

namespace vx {

// Gives each colour ball a bomb with a chance that grows through the world: about 9 % on a
// world's first stage, about 39 % on its last. Once, on the first frame of a stage.
void ChooseBombCarriers();

// Kinds 29..32 (who < 0, the complement of the cell index): pulse, then after 1000 units of
// age pop and leave their aura or beam. Auras (who >= 0, an object with bit 0x08, 0x04 or
// 0x01) live 3000 units; a beam (0x100) 800 units, or until a shot crosses its column.
int SpecialBall(int who);
// Cell kinds 18..28 and 33 and above: pulse; kinds 23, 24 and 28 made during play pop 2500
// units after they appeared.
int PlainSpecial(int who);
// A bomb carrier (a cell with CELL_BOMB) swells a little, after its kind's own behaviour.
int BombCarrierPulse(int who);
// The flash where a beam stopped a shot (object bit 0x200), 100 units.
int BeamFlash(int i);

}  // namespace vx
