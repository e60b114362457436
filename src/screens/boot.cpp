#include "screens/boot.h"

#include <cstdio>

#include "audio/sound.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "screens/intro.h"
#include "screens/title.h"
#include "screens/world_select.h"
#include "storage/texture.h"

namespace vx {

namespace {

constexpr char kBootCaption[] = "Game_0Stage0()";

// Loads an image of "_data.loc"; when it is missing, says so under `shownName` and fails.
// The game cannot run without the shared images: it ends after this one message instead of
// trying again, and showing it again, every frame.
bool LoadShared(const char* member, const char* shownName, Texture** slot) {
  if (LoadArchiveTexture("_data.loc", member, slot) >= 0) return true;
  platform::ShowMessage(shownName, kBootCaption);
  RequestFailureExit();
  return false;
}

}  // namespace

int Game_0Stage0() {
  struct SharedImage {
    const char* member;
    const char* shownName;
    Texture** slot;
  };
  const SharedImage shared[] = {
      {"img\\chrset1.tga", "chrset1.tga", &sprites.sheets[kCharacterSheet]},
      {"img\\gemset0.tga", "gemset0.tga", &sprites.sheets[2]},
      {"img\\gemset1.tga", "gemset1.tga", &sprites.sheets[3]},
      {"img\\logo.tga", "logo.tga", &sharedImages.logo},
      {"img\\wheel.tga", "wheel.tga", &sharedImages.wheel},
  };
  for (const SharedImage& image : shared)
    if (!LoadShared(image.member, image.shownName, image.slot)) return E_FAIL;

  // Only the first world is open at the start; play starts at its first stage.
  for (bool& locked : player.worldLocked) locked = true;
  player.worldLocked[0] = false;
  flow.stageNumber = 0;

  ReadSettings();  // a missing or damaged file leaves the defaults

  for (int n = 0; n < kPlayerFigureCount; ++n) {
    char member[32];
    std::snprintf(member, sizeof member, "img\\player1_%d.tga", n);
    if (!LoadShared(member, member, &sharedImages.playerFigures[n])) return E_FAIL;
  }

  flow.gameState = TitleLoad;
  sprites.screenScaleX = 0.5f;
  sprites.screenScaleY = 0.5f;

  LoadEffectList();  // an effect that fails to load stays silent when played

  game3d_LoadChr("xfile\\logo.x", "img\\txlogo.tga", 0);
  game3d_LoadChr("xfile\\music.x", "img\\music.tga", 1);
  game3d_LoadChr("xfile\\copyright.x", "img\\copyright.tga", 2);

  ApplyVolumePercents();
  ReadBestTimes();

  // Starting the idle time above the title's limit sends the first title frame to the intro.
  title.idleTimer = 50000;
  // Only a reset here: the intro's frame would read this frame's click or Escape and send
  // the game to the title before the new-game start has run.
  ResetIntroSequence();
  return 0;
}

}  // namespace vx
