#include "effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vx::assetgen::sound {
namespace {

using FT = FilterType;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// ---------------------------------------------------------------------------
// Recurring sound shapes.

// A short noise burst through a band-pass filter: the attack of hits, clicks and pops.
Buffer Tick(double seconds, double centre, double q, double tau, uint64_t seed) {
  Rng rng(seed);
  Buffer b = WhiteNoise(seconds, rng);
  Filter(b, FT::kBandPass, centre, centre, q);
  AttackDecay(b, 0.0005, tau);
  return b;
}

// A hollow wooden knock: two inharmonic modes of a small block plus a click.
Buffer WoodKnock(double f, double seconds, uint64_t seed) {
  Buffer b = Modes(seconds, {{f, 0.06, 1.0}, {f * 2.76, 0.03, 0.45}, {f * 5.4, 0.015, 0.2}});
  MixInto(b, Tick(0.02, f * 3.0, 1.5, 0.003, seed), 0.6);
  return b;
}

// A glass tink: high inharmonic modes that ring a little.
Buffer GlassTink(double f, double seconds, double ring = 0.35) {
  return Modes(seconds, {{f, ring, 1.0},
                         {f * 2.32, ring * 0.6, 0.5},
                         {f * 4.25, ring * 0.35, 0.3},
                         {f * 6.63, ring * 0.2, 0.15}});
}

// A bubble-like pop: a sine whose pitch jumps up quickly while it dies away.
Buffer Pop(double f, double seconds) {
  Buffer b = Osc(Wave::kSine, seconds, f, f * 2.2, seconds * 0.6);
  AttackDecay(b, 0.002, seconds * 0.25);
  return b;
}

// A soft bell: FM with a falling index, and an exponential decay.
Buffer Bell(double f, double seconds, double ratio = 3.5, double index = 2.0) {
  Buffer b = Fm(seconds, f, ratio, index, seconds * 0.3);
  AttackDecay(b, 0.003, seconds * 0.3);
  return b;
}

// A low thud: a sine sliding down in pitch with a short body of low-passed noise.
Buffer Thud(double f, double seconds, uint64_t seed) {
  Buffer b = Osc(Wave::kSine, seconds, f * 1.8, f, 0.05);
  AttackDecay(b, 0.002, seconds * 0.22);
  Rng rng(seed);
  Buffer n = WhiteNoise(seconds * 0.5, rng);
  Filter(n, FT::kLowPass, f * 8, f * 2);
  AttackDecay(n, 0.001, seconds * 0.08);
  MixInto(b, n, 0.8);
  return b;
}

// A sequence of notes (frequency, start) sounded with a given voice.
template <typename Voice>
Buffer Arpeggio(std::initializer_list<std::pair<double, double>> notes, Voice voice) {
  Buffer b;
  for (const auto& [f, at] : notes) MixInto(b, voice(f), 1.0, at);
  return b;
}

// ---------------------------------------------------------------------------
// Firing and landing, neutral and per world.

// Neutral: an air "thwip" of rising band-passed noise over a rising tone.
Buffer FireNeutral(uint64_t seed) {
  Rng rng(seed);
  Buffer b = WhiteNoise(0.22, rng);
  Filter(b, FT::kBandPass, 700, 3200, 2.0);
  Breakpoints(b, {{0, 0}, {0.01, 1}, {0.08, 0.5}, {0.22, 0}});
  Buffer t = Osc(Wave::kTriangle, 0.16, 320, 760);
  AttackDecay(t, 0.004, 0.04);
  MixInto(b, t, 0.5);
  return b;
}

Buffer LandedNeutral(uint64_t seed) {
  Buffer b = Thud(150, 0.18, seed);
  MixInto(b, Tick(0.03, 2400, 2.0, 0.004, seed + 1), 0.35);
  return b;
}

// World 1, dawn meadow: a breathy reed-pipe chirp and a wooden knock.
Buffer Fire1() {
  Buffer b = Vibrato(0.2, 700, 1180, 14, 0.015);
  Buffer h = Vibrato(0.2, 1400, 2360, 14, 0.015);
  MixInto(b, h, 0.25);
  Breakpoints(b, {{0, 0}, {0.015, 1}, {0.09, 0.6}, {0.2, 0}});
  Rng rng(11);
  Buffer breath = WhiteNoise(0.2, rng);
  Filter(breath, FT::kBandPass, 1200, 2400, 1.5);
  Breakpoints(breath, {{0, 0}, {0.01, 1}, {0.12, 0}});
  MixInto(b, breath, 0.35);
  return b;
}

Buffer Landed1() {
  return WoodKnock(520, 0.2, 12);
}

// World 2, deep ocean: a rising bubble with a watery low whoosh, and a low "bloop".
Buffer Fire2() {
  Buffer b = Osc(Wave::kSine, 0.2, 280, 900, 0.12);
  AttackDecay(b, 0.004, 0.06);
  Rng rng(21);
  Buffer w = WhiteNoise(0.25, rng);
  Filter(w, FT::kLowPass, 400, 1400, 1.2);
  Breakpoints(w, {{0, 0}, {0.03, 1}, {0.25, 0}});
  MixInto(b, w, 0.5);
  MixInto(b, Pop(620, 0.08), 0.35, 0.07);
  return b;
}

Buffer Landed2() {
  Buffer b = Osc(Wave::kSine, 0.25, 420, 170, 0.1);
  AttackDecay(b, 0.003, 0.06);
  Filter(b, FT::kLowPass, 900);
  MixInto(b, Pop(300, 0.1), 0.4, 0.02);
  return b;
}

// World 3, desert sunset: a plucked string twang with a dry sand swish, and a dull thump.
Buffer Fire3() {
  Rng rng(31);
  Buffer b = Pluck(0.3, 196, 0.992, rng);
  Filter(b, FT::kLowPass, 5000, 1800);
  AttackDecay(b, 0.001, 0.09);
  Buffer sand = WhiteNoise(0.18, rng);
  Filter(sand, FT::kBandPass, 3500, 5000, 1.2);
  Breakpoints(sand, {{0, 0}, {0.02, 1}, {0.12, 0}});
  MixInto(b, sand, 0.1);
  return b;
}

Buffer Landed3() {
  Buffer b = Thud(95, 0.2, 32);
  Rng rng(33);
  Buffer sand = WhiteNoise(0.12, rng);
  Filter(sand, FT::kBandPass, 2500, 1500, 0.8);
  AttackDecay(sand, 0.002, 0.03);
  MixInto(b, sand, 0.4);
  return b;
}

// World 4, crystal cave: a glassy upward ping and a ringing crystal tink.
Buffer Fire4() {
  Buffer b = Osc(Wave::kSine, 0.22, 1200, 2400, 0.08);
  AttackDecay(b, 0.002, 0.06);
  MixInto(b, Bell(2400, 0.3, 2.76, 1.2), 0.5, 0.06);
  return b;
}

Buffer Landed4() {
  return GlassTink(2100, 0.35, 0.3);
}

// World 5, night sky: a soft sawtooth swoop through a closing filter with a star twinkle,
// and a gentle two-note chime.
Buffer Fire5() {
  Buffer b = Osc(Wave::kSaw, 0.25, 260, 620, 0.15);
  MixInto(b, Osc(Wave::kSaw, 0.25, 262.5, 626, 0.15), 1.0);  // slight detune: shimmer
  Filter(b, FT::kLowPass, 3500, 600, 1.5);
  Breakpoints(b, {{0, 0}, {0.01, 0.6}, {0.1, 0.4}, {0.25, 0}});
  MixInto(b, Bell(3136, 0.2, 1.5, 1.0), 0.3, 0.05);
  return b;
}

Buffer Landed5() {
  Buffer b = Bell(1318.5, 0.35, 2.0, 1.0);
  MixInto(b, Bell(1975.5, 0.3, 2.0, 0.8), 0.5, 0.03);
  return b;
}

// ---------------------------------------------------------------------------
// Breaking, linking, falling.

// A ball breaking: a crack of noise with a glassy shard ring; variants differ in pitch.
Buffer Break(double f, uint64_t seed) {
  Buffer b = Tick(0.08, f * 2.0, 1.0, 0.015, seed);
  MixInto(b, GlassTink(f, 0.3, 0.18), 0.6, 0.005);
  MixInto(b, Pop(f * 0.4, 0.06), 0.5);
  return b;
}

// A link of up to three breaking: a bright glassy pop with a little tinkle.
Buffer Linked3() {
  Buffer b = Pop(700, 0.1);
  MixInto(b, GlassTink(2637, 0.3, 0.22), 0.45, 0.015);
  MixInto(b, GlassTink(3520, 0.25, 0.15), 0.3, 0.05);
  return b;
}

// A larger link: a rippling run of pops rising over a major chord of glass.
Buffer LinkedMany() {
  Buffer b;
  const double notes[] = {659.3, 784.0, 987.8, 1318.5, 1568.0};
  for (int i = 0; i < 5; ++i) {
    MixInto(b, Pop(notes[i], 0.09), 0.8, 0.045 * i);
    MixInto(b, GlassTink(notes[i] * 2, 0.35, 0.25), 0.35, 0.045 * i + 0.01);
  }
  FadeOut(b, 0.05);
  return b;
}

// Balls falling away: a descending whistle with small taps as they drop; the more balls, the
// longer, lower and busier.
Buffer Fall(int taps, double length, double top, uint64_t seed) {
  Buffer b = Osc(Wave::kTriangle, length, top, top * 0.35);
  Breakpoints(b, {{0, 0}, {0.02, 0.7}, {length * 0.6, 0.4}, {length, 0}});
  Filter(b, FT::kLowPass, 4000, 1200);
  Rng rng(seed);
  for (int i = 0; i < taps; ++i) {
    const double at = length * 0.15 + (length * 0.75) * i / std::max(1, taps) + rng.Range(0, 0.02);
    MixInto(b, WoodKnock(rng.Range(700, 1300) * (1.0 - 0.3 * i / taps), 0.08, seed + 7 + i), 0.35,
            at);
  }
  return b;
}

// A heavier cascade for many: fall sweep, a rattle of many taps and a low rolling rumble.
Buffer FallMany() {
  Buffer b = Fall(12, 0.85, 1100, 83);
  Rng rng(84);
  Buffer rumble = BrownNoise(0.85, rng);
  Filter(rumble, FT::kLowPass, 500, 150);
  Breakpoints(rumble, {{0, 0}, {0.1, 0.8}, {0.6, 0.6}, {0.85, 0}});
  MixInto(b, rumble, 0.6);
  MixInto(b, Thud(80, 0.3, 85), 0.7, 0.5);
  return b;
}

// ---------------------------------------------------------------------------
// Interface and launcher.

// A wooden ratchet click, very short, so fast turning can retrigger it.
Buffer WheelClick() {
  Buffer b = Modes(0.06, {{1850, 0.045, 1.0}, {3900, 0.025, 0.5}, {6100, 0.012, 0.25}});
  MixInto(b, Tick(0.01, 4000, 2.0, 0.0015, 131), 0.5);
  FadeOut(b, 0.005);
  return b;
}

// A wall bounce: a short springy boing with a click.
Buffer Bounce() {
  Buffer b = Vibrato(0.12, 640, 430, 45, 0.05);
  AttackDecay(b, 0.002, 0.03);
  MixInto(b, Tick(0.02, 3000, 2.0, 0.003, 141), 0.4);
  return b;
}

// Confirm: two rising bell notes (a fifth).
Buffer Ok() {
  return Arpeggio({{659.3, 0.0}, {987.8, 0.09}}, [](double f) { return Bell(f, 0.35, 2.0, 1.5); });
}

// A menu selection changes: a short soft blip.
Buffer ChgSelection() {
  Buffer b = Osc(Wave::kTriangle, 0.07, 1100, 1500, 0.02);
  AttackDecay(b, 0.002, 0.018);
  return b;
}

// Leaving play for the title: a falling two-note tone, like a door closing.
Buffer ExitPlay() {
  Buffer b =
      Arpeggio({{784.0, 0.0}, {523.3, 0.12}}, [](double f) { return Bell(f, 0.35, 1.0, 1.2); });
  MixInto(b, WoodKnock(180, 0.15, 151), 0.5, 0.12);
  return b;
}

// Retrying a stage: a quick rising swoosh into a bright chime.
Buffer Retry() {
  Rng rng(161);
  Buffer b = WhiteNoise(0.25, rng);
  Filter(b, FT::kBandPass, 400, 3000, 2.5);
  Breakpoints(b, {{0, 0}, {0.2, 0.8}, {0.25, 0}});
  MixInto(b,
          Arpeggio({{523.3, 0.0}, {784.0, 0.06}, {1046.5, 0.12}},
                   [](double f) { return Bell(f, 0.3, 2.0, 1.0); }),
          0.8, 0.18);
  return b;
}

// ---------------------------------------------------------------------------
// Gems and effects.

// A gem bouncing: a bright tink followed by two smaller, quicker ones.
Buffer NewGemBounce() {
  Buffer b;
  MixInto(b, GlassTink(2793, 0.2, 0.15), 1.0, 0.0);
  MixInto(b, GlassTink(2793, 0.15, 0.1), 0.5, 0.09);
  MixInto(b, GlassTink(2793, 0.12, 0.08), 0.25, 0.15);
  return b;
}

// A new gem appearing: a rising sparkling arpeggio.
Buffer NewGem() {
  return Arpeggio({{1046.5, 0.0}, {1318.5, 0.06}, {1568.0, 0.12}, {2093.0, 0.18}},
                  [](double f) { return Bell(f, 0.3, 3.0, 1.2); });
}

// A planted effect shot away: a zap into a pop.
Buffer ShotFx() {
  Buffer b = Osc(Wave::kSquare, 0.12, 1600, 500, 0.0, 0.3);
  Filter(b, FT::kLowPass, 5000, 1500);
  AttackDecay(b, 0.002, 0.04);
  MixInto(b, Pop(500, 0.12), 0.8, 0.08);
  MixInto(b, Tick(0.05, 2500, 1.0, 0.01, 171), 0.4, 0.08);
  return b;
}

// A low bomb shot away: a ghostly wavering wail that sinks and fades.
Buffer ShotGhost() {
  Buffer b = Vibrato(0.55, 900, 380, 7, 0.04);
  MixInto(b, Vibrato(0.55, 1350, 570, 7.3, 0.04), 0.3);
  Breakpoints(b, {{0, 0}, {0.05, 1}, {0.3, 0.6}, {0.55, 0}});
  Rng rng(181);
  Buffer air = WhiteNoise(0.55, rng);
  Filter(air, FT::kBandPass, 1500, 500, 3.0);
  Breakpoints(air, {{0, 0}, {0.05, 1}, {0.55, 0}});
  MixInto(b, air, 0.4);
  return b;
}

// An effect planted: a soft "plunk" sinking into the field.
Buffer FxPlanted() {
  Buffer b = Osc(Wave::kSine, 0.3, 520, 300, 0.08);
  AttackDecay(b, 0.003, 0.07);
  MixInto(b, WoodKnock(350, 0.12, 191), 0.5);
  return b;
}

// A ball growing into place: a rising wobbling "bwoop".
Buffer FxGrow() {
  Buffer b = Vibrato(0.4, 220, 880, 12, 0.03);
  MixInto(b, Vibrato(0.4, 440, 1760, 12, 0.03), 0.25);
  Breakpoints(b, {{0, 0}, {0.05, 0.8}, {0.3, 1}, {0.4, 0}});
  return b;
}

// A good effect planted: a shower of high sparkles over a rising major arpeggio.
Buffer GoodFxPlanted() {
  Buffer b = Arpeggio({{1046.5, 0.0}, {1318.5, 0.07}, {1568.0, 0.14}, {2093.0, 0.21}},
                      [](double f) { return Bell(f, 0.4, 2.0, 1.0); });
  Rng rng(201);
  for (int i = 0; i < 14; ++i) {
    const double at = rng.Range(0.0, 0.45);
    const double f = rng.Range(3000, 6500);
    MixInto(b, GlassTink(f, 0.12, 0.08), 0.25, at);
  }
  FadeOut(b, 0.05);
  return b;
}

// ---------------------------------------------------------------------------
// Bombs, pusher, danger, invasion.

// A falling bomb: a two-tone siren whistle with a fizzing fuse. Every part is periodic in the
// loop length and the pulse envelope is zero at both ends, so the end runs into the start
// without a step and the first play starts from silence.
Buffer BombFall() {
  constexpr double kLoop = 0.8;
  const int n = SamplesFor(kLoop);
  Buffer b(n);
  Rng rng(211);
  Buffer fizz = WhiteNoise(kLoop, rng);
  Filter(fizz, FT::kBandPass, 5000, 5000, 1.0);
  double phase = 0.0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double u = t / kLoop;  // 0 .. 1 over the loop
    const bool high = u < 0.5;   // first half high, second half low
    const double f = (high ? 1040.0 : 820.0) * (1.0 - 0.04 * std::fmod(u * 2.0, 1.0));
    const double env = std::pow(std::sin(kTwoPi * u), 2.0);  // two pulses, 0 at the joins
    phase += f / kSampleRate;
    phase -= std::floor(phase);
    const double tone = std::sin(kTwoPi * phase) + 0.2 * std::sin(2.0 * kTwoPi * phase);
    b[i] = static_cast<float>(env * (0.8 * tone + 0.12 * fizz[i]));
  }
  return b;
}

// A bomb landing: a heavy thud with a metallic clank.
Buffer BombLanded() {
  Buffer b = Thud(70, 0.6, 221);
  MixInto(b, Modes(0.4, {{410, 0.25, 0.6}, {1130, 0.15, 0.4}, {2270, 0.08, 0.3}}), 0.5, 0.005);
  return b;
}

// The pusher's push: a deep mechanical thud with a grinding clunk.
Buffer PushDown() {
  Buffer b = Thud(55, 0.55, 231);
  Rng rng(232);
  Buffer grind = WhiteNoise(0.25, rng);
  Filter(grind, FT::kBandPass, 300, 180, 2.0);
  Breakpoints(grind, {{0, 0}, {0.01, 1}, {0.25, 0}});
  MixInto(b, grind, 0.6);
  MixInto(b, WoodKnock(140, 0.15, 233), 0.6, 0.01);
  return b;
}

// The push warning: a low rumble that swells and shudders.
Buffer GroundShake() {
  Rng rng(241);
  Buffer b = BrownNoise(1.2, rng);
  Filter(b, FT::kLowPass, 220, 220, 1.0);
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    b[i] = static_cast<float>(b[i] * (0.65 + 0.35 * std::sin(kTwoPi * 9.0 * t)));
  }
  Buffer low = Osc(Wave::kSine, 1.2, 42, 38);
  MixInto(b, low, 0.4);
  Breakpoints(b, {{0, 0}, {0.25, 1}, {0.8, 0.8}, {1.2, 0}});
  return b;
}

// The danger warning: a ticking alarm, two sharp beeps with a clock tick, short enough to
// repeat quickly as the balls come lower.
Buffer InvasionWarning() {
  Buffer b;
  for (int i = 0; i < 2; ++i) {
    Buffer beep = Osc(Wave::kSquare, 0.05, 1760, 1760);
    Filter(beep, FT::kLowPass, 6000);
    Breakpoints(beep, {{0, 0}, {0.003, 1}, {0.04, 0.8}, {0.05, 0}});
    MixInto(b, beep, 0.6, 0.09 * i);
    MixInto(b, Tick(0.015, 5000, 3.0, 0.002, 251 + i), 0.6, 0.09 * i);
  }
  return b;
}

// An intruder arriving: a menacing low growl that rises.
Buffer Invasion() {
  Buffer b = Osc(Wave::kSaw, 0.45, 70, 160, 0.35);
  MixInto(b, Osc(Wave::kSaw, 0.45, 71.5, 163, 0.35), 1.0);
  Filter(b, FT::kLowPass, 400, 2200, 2.0);
  Saturate(b, 2.0);
  Breakpoints(b, {{0, 0}, {0.03, 1}, {0.3, 0.8}, {0.45, 0}});
  return b;
}

// The game is lost: three falling "wah" notes, the last one drooping.
Buffer GameOver() {
  Buffer b;
  const double notes[] = {392.0, 370.0, 349.2};
  for (int i = 0; i < 3; ++i) {
    const double len = i == 2 ? 0.9 : 0.35;
    Buffer v = Osc(Wave::kSaw, len, notes[i], i == 2 ? notes[i] * 0.89 : notes[i], len);
    Filter(v, FT::kLowPass, 500, 1800, 3.0);
    Breakpoints(v, {{0, 0}, {0.03, 1}, {len * 0.7, 0.7}, {len, 0}});
    MixInto(b, v, 0.8, 0.38 * i);
  }
  return b;
}

// An explosion: a noise blast through a closing filter over a low boom.
Buffer Explosion() {
  Rng rng(261);
  Buffer b = WhiteNoise(1.1, rng);
  Filter(b, FT::kLowPass, 6000, 200, 0.9);
  AttackDecay(b, 0.002, 0.25);
  MixInto(b, Thud(45, 1.0, 262), 1.0);
  Saturate(b, 1.5);
  FadeOut(b, 0.2);
  return b;
}

// The laser shot: a square "pew" diving in pitch with a ring.
Buffer Laser1() {
  Buffer b = Osc(Wave::kSquare, 0.22, 2400, 280, 0.0, 0.5);
  Buffer ring = Osc(Wave::kSine, 0.22, 55, 55);
  for (size_t i = 0; i < b.size(); ++i) b[i] *= 0.6f + 0.4f * ring[i];
  Filter(b, FT::kLowPass, 8000, 1500);
  AttackDecay(b, 0.001, 0.07);
  return b;
}

// Applies a short fade-in and fade-out so one-shot effects start and end at silence.
void Edges(Buffer& b) {
  const int n = std::min<int>(SamplesFor(0.001), static_cast<int>(b.size()) / 2);
  for (int i = 0; i < n; ++i) b[i] = static_cast<float>(b[i] * (static_cast<double>(i) / n));
  FadeOut(b, 0.004);
}

}  // namespace

void Level(Buffer& b) {
  const double rms = LoudestWindowRms(b);
  const double peak = Peak(b);
  if (rms <= 0.0 || peak <= 0.0) return;
  const double gain = std::min(kEffectLoudRms / rms, kEffectPeak / peak);
  Gain(b, gain);
}

std::vector<Effect> BuildEffects() {
  std::vector<Effect> out;
  auto add = [&out](const char* name, Buffer b, bool loops = false) {
    if (!loops) Edges(b);
    Level(b);
    out.push_back({std::string("son/") + name + ".wav", std::move(b), loops});
  };
  add("fire", FireNeutral(1));
  add("landed", LandedNeutral(2));
  add("break1", Break(1568, 3));
  add("break2", Break(1319, 4));
  add("break3", Break(1760, 5));
  add("break4", Break(1175, 6));
  add("bounce", Bounce());
  add("ok", Ok());
  add("fall3", Fall(3, 0.4, 900, 71));
  add("fall5", Fall(5, 0.55, 1000, 72));
  add("fallmany", FallMany());
  add("linked3", Linked3());
  add("linkedmany", LinkedMany());
  add("wheelclick", WheelClick());
  add("newgembounce", NewGemBounce());
  add("newgem", NewGem());
  add("pushdown", PushDown());
  add("groundshake", GroundShake());
  add("shotfx", ShotFx());
  add("shotghost", ShotGhost());
  add("fxplanted", FxPlanted());
  add("fxgrow", FxGrow());
  add("goodfxplanted", GoodFxPlanted());
  add("bombfall", BombFall(), true);
  add("bomblanded", BombLanded());
  add("invasionwarning", InvasionWarning());
  add("invasion", Invasion());
  add("gameover", GameOver());
  add("explosion", Explosion());
  add("laser1", Laser1());
  add("chgselection", ChgSelection());
  add("exitplay", ExitPlay());
  add("retry", Retry());
  // Variant 0 is the neutral pair used before any world is chosen; 1 .. 5 follow the worlds.
  add("fire0", FireNeutral(101));
  add("landed0", LandedNeutral(102));
  add("fire1", Fire1());
  add("landed1", Landed1());
  add("fire2", Fire2());
  add("landed2", Landed2());
  add("fire3", Fire3());
  add("landed3", Landed3());
  add("fire4", Fire4());
  add("landed4", Landed4());
  add("fire5", Fire5());
  add("landed5", Landed5());
  return out;
}

}  // namespace vx::assetgen::sound
