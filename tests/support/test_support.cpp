#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "app/dispatcher.h"
#include "app/gamepad.h"
#include "app/main_loop.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "draw/layers.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "editor/editor.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/object_update.h"
#include "objects/planters.h"
#include "objects/pops.h"
#include "objects/pusher.h"
#include "objects/stage_start.h"
#include "persist/best_times.h"
#include "persist/settings.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "screens/backgrounds.h"
#include "screens/boot.h"
#include "screens/ending.h"
#include "screens/intro.h"
#include "screens/save_offer.h"
#include "screens/settings_screen.h"
#include "screens/stage_clear.h"
#include "screens/stage_info.h"
#include "screens/title.h"
#include "screens/world_select.h"
#include "storage/archive.h"
#include "storage/texture.h"

namespace vx::test {

namespace fs = std::filesystem;

void ResetCoreState() {
  flow = GameFlow{};
  frameClock = FrameClock{};
  keyboard = KeyboardState{};
  mouse = MouseState{};
  padOverlay = PadOverlay{};
  gamepad = GamepadState{};
  app = AppState{};
  stateHandlers = kDefaultStateHandlers;
  randomSource = RandomSource{};
  player = PlayerState{};
  worldSelect = WorldSelectState{};
  stageInfo = StageInfoState{};
  pauseMenu = PauseState{};
  stageClear = StageClearState{};
  saveOffer = OfferState{};
  settingsScreen = SettingsScreenState{};
  ending = EndState{};
  shooter = ShooterState{};
  danger = DangerState{};
  pusher = PusherState{};
  objectUpdate = ObjectUpdateState{};
  bonuses = BonusState{};
  ResetFieldTables();
  cellImages = CellImages{};
  invasion = InvasionState{};
  stageStart = StageStartState{};
  fieldDrawing = FieldDrawingState{};
  blast = BlastState{};
  planters = PlanterState{};
  platform::files::writeSeam = platform::files::WriteSeam{};
  platform::files::UseMemoryFiles(false);
  bestTimes = BestTimes{};
  volumes = Volumes{};
  stageFiles = StageFileState{};
  sfx = SoundEffects{};
  soundSystem = SoundSystem{};
  music = MusicState{};
  // Texture handles point into the store, so the tables holding them go with it.
  sprites = SpriteState{};
  prompt = PromptState{};
  layers = LayerState{};
  backgrounds = BackgroundState{};
  sharedImages = SharedImages{};
  title = TitleState{};
  intro = IntroState{};
  editor = EditorState{};
  models = ModelTable{};
  textureStore = TextureStore{};
  ReleaseArchiveBuffer();
  archiveReader.resourceDirectory.clear();
}

HeadlessRig& InstallHeadless() {
  static std::unique_ptr<HeadlessRig> rig;
  rig = std::make_unique<HeadlessRig>();
  platform::backend = platform::Backend{};
  platform::backend.window = &rig->window;
  platform::backend.clock = &rig->clock;
  platform::backend.keyboard = &rig->keyboard;
  platform::backend.mouse = &rig->mouse;
  platform::backend.gamepad = &rig->gamepad;
  platform::backend.dialogs = &rig->dialogs;
  platform::backend.gpu = &rig->gpu;
  platform::backend.sound = &rig->sound;
  platform::backend.music = &rig->music;
  ResetCoreState();
  return *rig;
}

TempWorkDir::TempWorkDir() {
  previous_ = fs::current_path().string();
  std::random_device rd;
  fs::path p =
      fs::temp_directory_path() / ("vx_test_" + std::to_string(rd()) + std::to_string(rd()));
  fs::create_directories(p);
  path_ = p.string();
  fs::current_path(p);
}

TempWorkDir::~TempWorkDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

void MakeScratchDirectories() {
  for (char a = 'k'; a <= 't'; ++a)
    for (char b = 'k'; b <= 't'; ++b)
      fs::create_directories(fs::path("BUN") / std::string(1, a) / std::string(1, b));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace vx::test
