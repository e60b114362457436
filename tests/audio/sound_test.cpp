// The sound system on the recording mixer: slots, the effect list, playing, replacing and
// the device's failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "storage/archive.h"
#include "test_support.h"
#include "wav_bytes.h"

namespace vx {
namespace {

using platform::SoundCall;
using platform::SoundOpenError;

// The effect list as the game loads it, with the variable each effect is played through.
struct Listed {
  std::string member;
  int* variable;
};

std::vector<Listed> EffectList() {
  std::vector<Listed> list = {
      {"son\\fire.wav", &sfx.fire},
      {"son\\landed.wav", &sfx.landed},
      {"son\\break1.wav", &sfx.break1},
      {"son\\break2.wav", &sfx.break2},
      {"son\\break3.wav", &sfx.break3},
      {"son\\break4.wav", &sfx.break4},
      {"son\\bounce.wav", &sfx.bounce},
      {"son\\Ok.wav", &sfx.ok},
      {"son\\fall3.wav", &sfx.fall3},
      {"son\\fall5.wav", &sfx.fall5},
      {"son\\fallmany.wav", &sfx.fallMany},
      {"son\\linked3.wav", &sfx.linked3},
      {"son\\linkedmany.wav", &sfx.linkedMany},
      {"son\\wheelclick.wav", &sfx.wheelClick},
      {"son\\newgembounce.wav", &sfx.newGemBounce},
      {"son\\newgem.wav", &sfx.newGem},
      {"son\\pushdown.wav", &sfx.pushDown},
      {"son\\groundshake.wav", &sfx.groundShake},
      {"son\\shotfx.wav", &sfx.shotFx},
      {"son\\shotghost.wav", &sfx.shotGhost},
      {"son\\fxplanted.wav", &sfx.fxPlanted},
      {"son\\fxgrow.wav", &sfx.fxGrow},
      {"son\\goodfxplanted.wav", &sfx.goodFxPlanted},
      {"son\\bombfall.wav", &sfx.bombFall},
      {"son\\bomblanded.wav", &sfx.bombLanded},
      {"son\\invasionwarning.wav", &sfx.invasionWarning},
      {"son\\invasion.wav", &sfx.invasion},
      {"son\\gameover.wav", &sfx.gameOver},
      {"son\\explosion.wav", &sfx.explosion},
      {"son\\laser1.wav", &sfx.laser1},
      {"son\\chgselection.wav", &sfx.chgSelection},
      {"son\\exitplay.wav", &sfx.exitPlay},
      {"son\\retry.wav", &sfx.retry},
  };
  for (int n = 0; n < 6; ++n) {
    list.push_back({"son\\fire" + std::to_string(n) + ".wav", &sfx.fireWorld[n]});
    list.push_back({"son\\landed" + std::to_string(n) + ".wav", &sfx.landedWorld[n]});
  }
  return list;
}

// Archive member name -> path of the file that packs into it.
std::string PackPath(const std::string& dir, std::string member) {
  for (char& c : member)
    if (c == '\\') c = '/';
  return dir + "/" + member;
}

// Packs `members` (name, bytes) into `archive`.
void Pack(const char* archive, const std::vector<std::pair<std::string, std::string>>& members) {
  static int packs = 0;
  std::string dir = "pack" + std::to_string(++packs);
  for (const auto& [name, bytes] : members) test::WriteFile(PackPath(dir, name), bytes);
  std::string error;
  ASSERT_TRUE(PackArchive(archive, dir.c_str(), &error)) << error;
}

std::string Bytes(const std::vector<unsigned char>& v) {
  return std::string(v.begin(), v.end());
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig = &test::InstallHeadless();
    ASSERT_TRUE(CreateSoundSystem());
  }
  platform::HeadlessSoundDevice& device() { return rig->sound; }

  test::HeadlessRig* rig = nullptr;
  test::TempWorkDir dir;
};

// With every member present effect n sits in slot n; with one missing the later effects
// move down a slot, and each variable still plays its own sound.
TEST_F(SoundTest, EffectListSlotsFollowTheMembersPresent) {
  const std::vector<Listed> list = EffectList();
  ASSERT_EQ(list.size(), 45u);
  for (const char* missing : {"", "son\\break2.wav"}) {
    SCOPED_TRACE(std::string("missing: ") + missing);
    rig = &test::InstallHeadless();
    ASSERT_TRUE(CreateSoundSystem());
    std::vector<std::pair<std::string, std::string>> members;
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].member != missing)
        members.push_back({list[i].member, test::Wav(test::SamplesFor(int(i)))});
    Pack("_sfx.loc", members);

    LoadEffectList();

    int expectedSlot = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      SCOPED_TRACE(list[i].member);
      if (list[i].member == missing) {
        EXPECT_EQ(*list[i].variable, -1);
        std::size_t before = device().events.size();
        PlaySound(*list[i].variable, 0, 0);
        EXPECT_EQ(device().events.size(), before) << "a missing effect plays nothing";
        continue;
      }
      EXPECT_EQ(*list[i].variable, expectedSlot);
      PlaySound(*list[i].variable, 0, 0);
      ASSERT_FALSE(device().events.empty());
      const platform::SoundEvent& played = device().events.back();
      ASSERT_EQ(played.call, SoundCall::Play);
      EXPECT_EQ(played.channel, expectedSlot);
      EXPECT_EQ(Bytes(device().data[played.channel]), test::SamplesFor(int(i)));
      ++expectedSlot;
    }
  }
}

TEST_F(SoundTest, ReplaceKeepsTheSlotAndAFailedReplaceEmptiesIt) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))},
                    {"son\\b.wav", test::Wav(test::SamplesFor(2))},
                    {"son\\c.wav", test::Wav(test::SamplesFor(3))},
                    {"son\\bad.wav", test::Wav(test::SamplesFor(4), {.tag = 3, .bits = 32})}});
  ASSERT_EQ(LoadSound("son\\a.wav", "_sfx.loc"), 0);
  ASSERT_EQ(LoadSound("son\\b.wav", "_sfx.loc"), 1);
  ASSERT_EQ(LoadSound("son\\c.wav", "_sfx.loc"), 2);

  PlaySound(1, 0, 0);
  EXPECT_EQ(ReplaceSound("son\\c.wav", "_sfx.loc", 1), 1);
  EXPECT_EQ(Bytes(device().data[1]), test::SamplesFor(3));
  EXPECT_FALSE(device().playing[1]) << "the old sound is stopped when it is discarded";
  EXPECT_EQ(Bytes(device().data[0]), test::SamplesFor(1));
  EXPECT_EQ(Bytes(device().data[2]), test::SamplesFor(3));

  // A replacement that cannot load leaves the slot empty: nothing plays from it and the
  // next load takes it as the first free slot.
  EXPECT_EQ(ReplaceSound("son\\missing.wav", "_sfx.loc", 1), -1);
  EXPECT_TRUE(device().data[1].empty());
  EXPECT_EQ(ReplaceSound("son\\bad.wav", "_sfx.loc", 0), -1);
  std::size_t before = device().events.size();
  PlaySound(0, 0, 0);
  PlaySound(1, 0, 0);
  EXPECT_EQ(device().events.size(), before);
  EXPECT_EQ(LoadSound("son\\b.wav", "_sfx.loc"), 0);
  EXPECT_EQ(LoadSound("son\\a.wav", "_sfx.loc"), 1);

  EXPECT_EQ(ReplaceSound("son\\a.wav", "_sfx.loc", -1), -1);
  EXPECT_EQ(ReplaceSound("son\\a.wav", "_sfx.loc", 100), -1);
}

TEST_F(SoundTest, PlayingASoundingEffectRestartsItOnItsOwnChannel) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))},
                    {"son\\b.wav", test::Wav(test::SamplesFor(2))}});
  int a = LoadSound("son\\a.wav", "_sfx.loc");
  int b = LoadSound("son\\b.wav", "_sfx.loc");
  PlaySound(a, 0, -500);
  EXPECT_TRUE(IsSoundPlaying(a));
  EXPECT_FALSE(IsSoundPlaying(b));
  PlaySound(a, 0, -700);

  std::vector<platform::SoundEvent> plays = device().Calls(SoundCall::Play);
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(plays[1].channel, a);
  EXPECT_TRUE(plays[1].restarted);
  EXPECT_EQ(plays[1].attenuation, -700);
  EXPECT_FALSE(device().playing[b]);

  StopSound(a);
  EXPECT_FALSE(IsSoundPlaying(a));
  PlaySound(a, platform::kPlayLooping, 0);
  EXPECT_EQ(device().Calls(SoundCall::Play).back().flags, platform::kPlayLooping);
  device().Finish(a);
  EXPECT_FALSE(IsSoundPlaying(a));
}

TEST_F(SoundTest, IdsThatHoldNothingAreIgnored) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))}});
  ASSERT_EQ(LoadSound("son\\a.wav", "_sfx.loc"), 0);
  std::size_t before = device().events.size();
  for (int id : {-1, 1, 99, 100, 65535, -32768}) {
    SCOPED_TRACE(id);
    PlaySound(id, 0, 0);
    StopSound(id);
    EXPECT_FALSE(IsSoundPlaying(id));
  }
  EXPECT_EQ(device().events.size(), before);
}

// The attenuation reaches the mixer as its gain by the one rule: silence at -10000 and
// below, full at 0, 10^(a/2000) between.
TEST_F(SoundTest, AttenuationBecomesTheMixerGain) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))}});
  int a = LoadSound("son\\a.wav", "_sfx.loc");
  struct Case {
    int attenuation, gain;
  } cases[] = {{-10000, 0}, {-20000, 0}, {0, 128},   {300, 128},
               {-600, 64},  {-2000, 13}, {-3000, 4}, {-5940, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attenuation);
    EXPECT_EQ(platform::GainForAttenuation(c.attenuation), c.gain);
    PlaySound(a, 0, c.attenuation);
    const platform::SoundEvent e = device().Calls(SoundCall::Play).back();
    EXPECT_EQ(e.attenuation, c.attenuation);
    EXPECT_EQ(e.gain, c.gain);
  }
}

// The settings' effects percent reaches the mixer through the settings' rule: 0 % is
// silent, 100 % full.
TEST_F(SoundTest, EffectsPercentPlaysThroughTheSettingsRule) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))}});
  int a = LoadSound("son\\a.wav", "_sfx.loc");
  struct Case {
    int percent, attenuation, gain;
  } cases[] = {{0, -10000, 0}, {100, 0, 128}, {50, -3000, 4}, {1, -5940, 0}, {90, -600, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    EXPECT_EQ(VolumeAttenuation(c.percent), c.attenuation);
    volumes.effectsPercent = c.percent;
    ApplyVolumePercents();
    PlaySound(a, 0, volumes.effectsVolume);
    const platform::SoundEvent e = device().Calls(SoundCall::Play).back();
    EXPECT_EQ(e.attenuation, c.attenuation);
    EXPECT_EQ(e.gain, c.gain);
  }
}

TEST_F(SoundTest, RejectedWavsTakeNoSlot) {
  Pack("_sfx.loc", {{"son\\float.wav", test::Wav(test::SamplesFor(1), {.tag = 3, .bits = 32})},
                    {"son\\cut.wav", test::Wav(test::SamplesFor(1)).substr(0, 40)},
                    {"son\\text.wav", "not a sound at all"},
                    {"son\\empty.wav", ""},
                    {"son\\good.wav", test::Wav(test::SamplesFor(7))}});
  for (const char* member :
       {"son\\float.wav", "son\\cut.wav", "son\\text.wav", "son\\empty.wav", "son\\none.wav"}) {
    SCOPED_TRACE(member);
    EXPECT_EQ(LoadSound(member, "_sfx.loc"), -1);
  }
  EXPECT_EQ(LoadSound("son\\good.wav", "_missing.loc"), -1);
  EXPECT_TRUE(device().Calls(SoundCall::Load).empty());
  EXPECT_EQ(LoadSound("son\\good.wav", "_sfx.loc"), 0);
  EXPECT_EQ(soundSystem.dataSize[0], 4);
  EXPECT_EQ(soundSystem.lastFormat.sampleRate, 22050);
  EXPECT_TRUE(rig->dialogs.shown.empty());
}

TEST_F(SoundTest, TheHundredAndFirstEffectIsRefusedWithAMessage) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))},
                    {"son\\bad.wav", test::Wav(test::SamplesFor(1), {.tag = 2})}});
  for (int i = 0; i < kSoundSlots; ++i) ASSERT_EQ(LoadSound("son\\a.wav", "_sfx.loc"), i);
  // A file that is no PCM WAV is refused before a slot is looked for: no message.
  EXPECT_EQ(LoadSound("son\\bad.wav", "_sfx.loc"), -1);
  EXPECT_TRUE(rig->dialogs.shown.empty());
  EXPECT_EQ(LoadSound("son\\a.wav", "_sfx.loc"), -1);
  ASSERT_EQ(rig->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig->dialogs.shown[0].text, "Max sound channel reached - sound fx can't load");
  EXPECT_EQ(rig->dialogs.shown[0].caption, "game terminating");
  // Replacing still works on a full table.
  EXPECT_EQ(ReplaceSound("son\\a.wav", "_sfx.loc", 42), 42);
}

TEST_F(SoundTest, ShutdownStopsEverythingAndClosesTheMixer) {
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))}});
  int a = LoadSound("son\\a.wav", "_sfx.loc");
  int b = LoadSound("son\\a.wav", "_sfx.loc");
  PlaySound(a, 0, 0);
  PlaySound(b, platform::kPlayLooping, 0);
  ShutdownSound();
  EXPECT_FALSE(device().playing[a]);
  EXPECT_FALSE(device().playing[b]);
  EXPECT_EQ(device().events.back().call, SoundCall::Close);
  EXPECT_FALSE(device().open);
  EXPECT_EQ(rig->music.Calls().back(), platform::MusicCall::Close);
  EXPECT_FALSE(IsSoundPlaying(a));
}

struct DeviceFailure {
  const char* what;
  bool noBackend;
  SoundOpenError error;
  const char* detail;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
};

TEST(SoundDeviceFailure, EachFailureShowsItsMessagesAndEndsTheGame) {
  const DeviceFailure cases[] = {
      {"no mixer at all",
       true,
       SoundOpenError::None,
       "",
       {{"unable to find Sound Driver", "Quarl Ferrow"}}},
      {"no output device",
       false,
       SoundOpenError::NoDevice,
       "No available audio device",
       {{"unable to find Sound Driver", "Quarl Ferrow"}}},
      {"device busy",
       false,
       SoundOpenError::Busy,
       "Device or resource busy",
       {{"unable to create direct sound", "Quarl Ferrow"}, {"Snd Being used", "Quarl Sound"}}},
      {"format refused",
       false,
       SoundOpenError::BadRequest,
       "Unsupported audio format",
       {{"unable to create direct sound", "Quarl Ferrow"}, {"Bad Parameter", "Quarl Sound"}}},
      {"driver without device",
       false,
       SoundOpenError::NoDriver,
       "No such device",
       {{"unable to create direct sound", "Quarl Ferrow"}, {"No Driver", "Quarl Sound"}}},
      {"no memory",
       false,
       SoundOpenError::OutOfMemory,
       "Out of memory",
       {{"unable to create direct sound", "Quarl Ferrow"}, {"No sound Memory", "Quarl Sound"}}},
      {"anything else",
       false,
       SoundOpenError::Other,
       "ALSA: strange failure",
       {{"unable to create direct sound", "Quarl Ferrow"},
        {"ALSA: strange failure", "Quarl Sound"}}},
      {"anything else, unexplained",
       false,
       SoundOpenError::Other,
       "",
       {{"unable to create direct sound", "Quarl Ferrow"}}},
      {"too few channels",
       false,
       SoundOpenError::Channels,
       "",
       {{"unable to Apply direct sound SetCooperativeLevel", "Quarl Ferrow"}}},
  };
  for (const DeviceFailure& c : cases) {
    SCOPED_TRACE(c.what);
    test::HeadlessRig& rig = test::InstallHeadless();
    test::TempWorkDir dir;
    test::MakeScratchDirectories();
    rig.sound.openResult.error = c.error;
    rig.sound.openDetail = c.detail;
    if (c.noBackend) platform::backend.sound = nullptr;
    // The whole program: start-up ends after the messages, with the failure status.
    EXPECT_EQ(ProcessExitStatus(RunGame()), 255);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& m : rig.dialogs.shown) shown.push_back({m.text, m.caption});
    EXPECT_EQ(shown, c.messages);
    EXPECT_FALSE(soundSystem.created);
    EXPECT_EQ(rig.gpu.framesBegun, 0) << "no frame runs";
    EXPECT_TRUE(rig.gpu.destroyed) << "the drawing device made before the sound is released";
    EXPECT_FALSE(rig.window.created);
  }
}

// A mixer that will not take checked PCM data ends the program with status -1.
TEST(SoundDeviceFailureDeathTest, MixerRefusingAnEffectEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  test::HeadlessRig& rig = test::InstallHeadless();
  test::TempWorkDir dir;
  ASSERT_TRUE(CreateSoundSystem());
  Pack("_sfx.loc", {{"son\\a.wav", test::Wav(test::SamplesFor(1))}});
  rig.sound.failLoads = true;
  rig.dialogs.echoToStderr = true;
  EXPECT_EXIT(LoadSound("son\\a.wav", "_sfx.loc"), ::testing::ExitedWithCode(255),
              "\\[game terminating\\] Unable to create sound buffer");
}

}  // namespace
}  // namespace vx
