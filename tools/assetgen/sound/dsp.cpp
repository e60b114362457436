#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vx::assetgen::sound {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double GlideFreq(double f0, double f1, double t, double glide) {
  if (glide <= 0.0 || t >= glide) return t >= glide && glide > 0.0 ? f1 : f0;
  return f0 * std::pow(f1 / f0, t / glide);
}

// Polynomial band-limited step correction around a discontinuity at phase 0 (dt = frequency /
// sample rate): removes most of the aliasing of the naive square and sawtooth.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double WaveAt(Wave wave, double phase, double duty, double dt) {
  // phase in 0 .. 1
  switch (wave) {
    case Wave::kSine:
      return std::sin(kTwoPi * phase);
    case Wave::kTriangle:
      return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::kSquare: {
      double v = phase < duty ? 1.0 : -1.0;
      v += PolyBlep(phase, dt);
      v -= PolyBlep(std::fmod(phase + 1.0 - duty, 1.0), dt);
      return v;
    }
    case Wave::kSaw:
      return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
  }
  return 0.0;
}

}  // namespace

int SamplesFor(double seconds) {
  return std::max(0, static_cast<int>(std::lround(seconds * kSampleRate)));
}

uint64_t Rng::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return state_ * 0x2545F4914F6CDD1Dull;
}

double Rng::Uniform() {
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

Buffer Osc(Wave wave, double seconds, double f0, double f1, double glide, double duty) {
  Buffer b(SamplesFor(seconds));
  if (glide <= 0.0) glide = seconds;
  double phase = 0.0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double dt = GlideFreq(f0, f1, t, glide) / kSampleRate;
    b[i] = static_cast<float>(WaveAt(wave, phase, duty, dt));
    phase += dt;
    phase -= std::floor(phase);
  }
  return b;
}

Buffer Fm(double seconds, double f, double ratio, double index0, double indexTau) {
  Buffer b(SamplesFor(seconds));
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double index = index0 * std::exp(-t / indexTau);
    b[i] = static_cast<float>(std::sin(kTwoPi * f * t + index * std::sin(kTwoPi * f * ratio * t)));
  }
  return b;
}

Buffer Vibrato(double seconds, double f0, double f1, double rate, double depth) {
  Buffer b(SamplesFor(seconds));
  double phase = 0.0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double f = GlideFreq(f0, f1, t, seconds) * (1.0 + depth * std::sin(kTwoPi * rate * t));
    b[i] = static_cast<float>(std::sin(kTwoPi * phase));
    phase += f / kSampleRate;
    phase -= std::floor(phase);
  }
  return b;
}

Buffer WhiteNoise(double seconds, Rng& rng) {
  Buffer b(SamplesFor(seconds));
  for (float& s : b) s = static_cast<float>(rng.Signed());
  return b;
}

Buffer BrownNoise(double seconds, Rng& rng) {
  Buffer b(SamplesFor(seconds));
  double y = 0.0;
  for (float& s : b) {
    y = 0.995 * y + 0.05 * rng.Signed();
    s = static_cast<float>(y);
  }
  const double peak = Peak(b);
  if (peak > 0.0) Gain(b, 1.0 / peak);
  return b;
}

Buffer Modes(double seconds, std::initializer_list<Mode> modes) {
  Buffer b(SamplesFor(seconds));
  for (const Mode& m : modes) {
    const double k = std::log(1000.0) / m.t60;  // -60 dB after t60
    for (size_t i = 0; i < b.size(); ++i) {
      const double t = static_cast<double>(i) / kSampleRate;
      b[i] += static_cast<float>(m.amp * std::exp(-k * t) * std::sin(kTwoPi * m.freq * t));
    }
  }
  return b;
}

Buffer Pluck(double seconds, double freq, double damping, Rng& rng) {
  Buffer b(SamplesFor(seconds));
  const int period = std::max(2, static_cast<int>(std::lround(kSampleRate / freq)));
  std::vector<double> line(period);
  for (double& v : line) v = rng.Signed();
  int pos = 0;
  for (float& s : b) {
    const double cur = line[pos];
    const double next = line[(pos + 1) % period];
    line[pos] = damping * 0.5 * (cur + next);
    s = static_cast<float>(cur);
    pos = (pos + 1) % period;
  }
  return b;
}

void AttackDecay(Buffer& b, double attack, double tau) {
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double g = t < attack ? t / attack : std::exp(-(t - attack) / tau);
    b[i] = static_cast<float>(b[i] * g);
  }
}

void Breakpoints(Buffer& b, std::initializer_list<std::pair<double, double>> points) {
  std::vector<std::pair<double, double>> p(points);
  size_t seg = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    while (seg + 1 < p.size() && t >= p[seg + 1].first) ++seg;
    double g = 0.0;
    if (t < p.front().first) {
      g = p.front().second;
    } else if (seg + 1 < p.size()) {
      const double span = p[seg + 1].first - p[seg].first;
      const double u = span > 0.0 ? (t - p[seg].first) / span : 1.0;
      g = p[seg].second + (p[seg + 1].second - p[seg].second) * u;
    }
    b[i] = static_cast<float>(b[i] * g);
  }
}

void FadeOut(Buffer& b, double seconds) {
  const int n = std::min<int>(SamplesFor(seconds), static_cast<int>(b.size()));
  for (int i = 0; i < n; ++i) {
    const double g = static_cast<double>(i) / n;
    b[b.size() - 1 - i] = static_cast<float>(b[b.size() - 1 - i] * g);
  }
}

void Filter(Buffer& b, FilterType type, double f0, double f1, double q) {
  // Direct form I biquad (RBJ cookbook), coefficients recomputed per sample so that the
  // cutoff can sweep; cheap enough for effects well under a second.
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  const double n = static_cast<double>(std::max<size_t>(1, b.size()));
  for (size_t i = 0; i < b.size(); ++i) {
    double f = f0 * std::pow(f1 / f0, static_cast<double>(i) / n);
    f = std::clamp(f, 10.0, kSampleRate * 0.45);
    const double w = kTwoPi * f / kSampleRate;
    const double cw = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * q);
    double b0 = 0, b1 = 0, b2 = 0;
    switch (type) {
      case FilterType::kLowPass:
        b0 = (1 - cw) / 2;
        b1 = 1 - cw;
        b2 = (1 - cw) / 2;
        break;
      case FilterType::kHighPass:
        b0 = (1 + cw) / 2;
        b1 = -(1 + cw);
        b2 = (1 + cw) / 2;
        break;
      case FilterType::kBandPass:
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
        break;
    }
    const double a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
    const double x = b[i];
    const double y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    b[i] = static_cast<float>(y);
  }
}

void Saturate(Buffer& b, double drive) {
  const double norm = std::tanh(drive);
  for (float& s : b) s = static_cast<float>(std::tanh(drive * s) / norm);
}

void MixInto(Buffer& dst, const Buffer& src, double gain, double at) {
  const size_t off = static_cast<size_t>(SamplesFor(at));
  if (dst.size() < off + src.size()) dst.resize(off + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[off + i] += static_cast<float>(src[i] * gain);
}

void Gain(Buffer& b, double gain) {
  for (float& s : b) s = static_cast<float>(s * gain);
}

double Peak(const Buffer& b) {
  double p = 0.0;
  for (float s : b) p = std::max(p, static_cast<double>(std::fabs(s)));
  return p;
}

double LoudestWindowRms(const Buffer& b) {
  const size_t w = static_cast<size_t>(SamplesFor(0.05));
  if (b.empty()) return 0.0;
  // Running sum of squares over a sliding window.
  double sum = 0.0, best = 0.0;
  for (size_t i = 0; i < b.size(); ++i) {
    sum += static_cast<double>(b[i]) * b[i];
    if (i >= w) sum -= static_cast<double>(b[i - w]) * b[i - w];
    best = std::max(best, sum);
  }
  const double len = static_cast<double>(std::min(w, b.size()));
  return std::sqrt(std::max(0.0, best) / len);
}

}  // namespace vx::assetgen::sound
