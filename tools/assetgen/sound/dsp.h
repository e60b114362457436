// Small synthesis building blocks for the sound effects: oscillators with pitch sweeps, noise,
// envelopes, filters and mixing. Everything works on mono float buffers at 44.1 kHz with
// samples nominally in -1 .. 1; randomness comes only from an explicitly seeded generator so the
// effects are the same on every build.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vx::assetgen::sound {

inline constexpr int kSampleRate = 44100;

using Buffer = std::vector<float>;

// Number of samples in a duration, rounded to the nearest sample.
int SamplesFor(double seconds);

// xorshift64* generator; the same seed gives the same sequence on every platform.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  uint64_t Next();
  double Uniform();                                  // 0 .. 1
  double Signed() { return Uniform() * 2.0 - 1.0; }  // -1 .. 1
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint64_t state_;
};

enum class Wave { kSine, kTriangle, kSquare, kSaw };

// An oscillator whose frequency glides exponentially from f0 to f1 over `glide` seconds
// (the whole buffer when glide <= 0) and then holds. `duty` shapes the square wave.
Buffer Osc(Wave wave, double seconds, double f0, double f1, double glide = 0.0, double duty = 0.5);

// Sine with frequency modulation: carrier f, modulator at f * ratio, modulation index falling
// exponentially from index0 with time constant indexTau; gives bell and glass timbres.
Buffer Fm(double seconds, double f, double ratio, double index0, double indexTau);

// Sine with vibrato of `depth` (fraction of f) at `rate` Hz.
Buffer Vibrato(double seconds, double f0, double f1, double rate, double depth);

// White noise, and brown (integrated, leaky) noise for rumbles.
Buffer WhiteNoise(double seconds, Rng& rng);
Buffer BrownNoise(double seconds, Rng& rng);

// A struck resonant body: a sum of exponentially decaying sines (frequency, decay time to
// -60 dB, amplitude). Wood, glass and metal differ only in their mode lists.
struct Mode {
  double freq;
  double t60;
  double amp;
};
Buffer Modes(double seconds, std::initializer_list<Mode> modes);

// Karplus-Strong plucked string.
Buffer Pluck(double seconds, double freq, double damping, Rng& rng);

// Envelopes. Attack-decay: linear rise over `attack`, then exponential fall with time constant
// `tau`. Breakpoints: linear interpolation between (time, gain) points, 0 after the last one.
void AttackDecay(Buffer& b, double attack, double tau);
void Breakpoints(Buffer& b, std::initializer_list<std::pair<double, double>> points);
void FadeOut(Buffer& b, double seconds);

// Two-pole (biquad) filters whose cutoff glides exponentially from f0 to f1 over the buffer.
enum class FilterType { kLowPass, kHighPass, kBandPass };
void Filter(Buffer& b, FilterType type, double f0, double f1, double q = 0.707);
inline void Filter(Buffer& b, FilterType type, double f) {
  Filter(b, type, f, f);
}

// Soft saturation (tanh) with a drive factor, for grit.
void Saturate(Buffer& b, double drive);

// Adds src * gain into dst starting at `at` seconds; grows dst when needed.
void MixInto(Buffer& dst, const Buffer& src, double gain = 1.0, double at = 0.0);

// Multiplies by a constant.
void Gain(Buffer& b, double gain);

// Largest absolute sample.
double Peak(const Buffer& b);

// Loudness measure used to even out the set: the RMS of the loudest 50 ms window.
double LoudestWindowRms(const Buffer& b);

}  // namespace vx::assetgen::sound
