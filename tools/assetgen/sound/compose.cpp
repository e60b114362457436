// The nine pieces. Each is described by a key and mode, a tempo, chord progressions for its
// sections, a form, accompaniment patterns and a drum kit; the melody is written phrase by
// phrase from motifs over the chords (seeded, so it is the same on every build). A repeated
// section repeats its melody, which gives every piece recognisable themes.
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "../common/music_titles.h"
#include "dsp.h"
#include "score.h"

namespace vx::assetgen::sound {
namespace {

// ---------------------------------------------------------------------------
// Harmony

struct Chord {
  int root = 0;                // pitch class 0 .. 11 (C = 0)
  std::vector<int> intervals;  // semitones above the root, ascending
};

int PitchClass(const std::string& s, size_t& pos) {
  static const std::map<char, int> kLetters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                               {'G', 7}, {'A', 9}, {'B', 11}};
  const auto it = kLetters.find(s.at(pos));
  if (it == kLetters.end()) throw std::runtime_error("bad chord " + s);
  int pc = it->second;
  ++pos;
  if (pos < s.size() && s[pos] == '#') pc += 1, ++pos;
  if (pos < s.size() && s[pos] == 'b') pc += 11, ++pos;
  return pc % 12;
}

// Chord symbols: a root (C, F#, Bb) and a quality: "" major, m, 7, maj7, m7, sus4, sus2, dim,
// m7b5, add9.
Chord ParseChord(const std::string& s) {
  size_t pos = 0;
  Chord c;
  c.root = PitchClass(s, pos);
  const std::string q = s.substr(pos);
  static const std::map<std::string, std::vector<int>> kQualities = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},   {"sus4", {0, 5, 7}},
      {"sus2", {0, 2, 7}},     {"dim", {0, 3, 6}},      {"m7b5", {0, 3, 6, 10}},
      {"add9", {0, 4, 7, 14}}, {"madd9", {0, 3, 7, 14}}};
  const auto it = kQualities.find(q);
  if (it == kQualities.end()) throw std::runtime_error("bad chord quality " + s);
  c.intervals = it->second;
  return c;
}

// A bar holds one chord, or two that split it in halves ("G D").
using Bar = std::vector<Chord>;

std::vector<Bar> ParseBars(const std::vector<std::string>& bars) {
  std::vector<Bar> out;
  for (const std::string& b : bars) {
    Bar bar;
    size_t start = 0;
    while (start < b.size()) {
      size_t end = b.find(' ', start);
      if (end == std::string::npos) end = b.size();
      if (end > start) bar.push_back(ParseChord(b.substr(start, end - start)));
      start = end + 1;
    }
    out.push_back(bar);
  }
  return out;
}

const Chord& ChordAt(const Bar& bar, double beatInBar, int beatsPerBar) {
  const size_t idx =
      std::min(bar.size() - 1,
               static_cast<size_t>(beatInBar * static_cast<double>(bar.size()) / beatsPerBar));
  return bar[idx];
}

// A chord may borrow a tone from outside the key (E major in A minor brings G#, A major in
// D dorian brings C#). A melody note on the scale tone that the borrowed tone replaces would
// clash a semitone against the chord, so it takes the chord's tone instead: the scale tone a
// semitone below the borrowed one, or else the one above, whichever is not itself a chord tone.
int FitToChord(int pitch, const Chord& chord, const std::vector<int>& scale, int tonic) {
  auto inChord = [&](int pc) {
    for (int iv : chord.intervals)
      if ((chord.root + iv) % 12 == pc) return true;
    return false;
  };
  auto inScale = [&](int pc) {
    for (int st : scale)
      if ((tonic + st) % 12 == pc) return true;
    return false;
  };
  const int pc = pitch % 12;
  for (int iv : chord.intervals) {
    const int borrowed = (chord.root + iv) % 12;
    if (inScale(borrowed)) continue;
    const int below = (borrowed + 11) % 12;
    const int above = (borrowed + 1) % 12;
    const int replaced = inScale(below) && !inChord(below)   ? below
                         : inScale(above) && !inChord(above) ? above
                                                             : -1;
    if (replaced == pc) return pc == below ? pitch + 1 : pitch - 1;
  }
  return pitch;
}

// The lowest pitch of the given pitch class at or above `floor`.
int PitchAtOrAbove(int pc, int floor) {
  return floor + ((pc - floor % 12) + 24) % 12;
}

// Scales as semitone steps from the tonic.
const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kPhrygianDominant = {0, 1, 4, 5, 7, 8, 10};

struct Key {
  int tonic;  // pitch class
  const std::vector<int>* scale;

  // Pitch of a scale degree (0 = tonic of the octave starting at `base`, may be negative).
  int Pitch(int degree, int base) const {
    const int n = static_cast<int>(scale->size());
    const int oct = degree >= 0 ? degree / n : -((-degree + n - 1) / n);
    const int idx = degree - oct * n;
    return base + tonic + 12 * oct + (*scale)[idx];
  }
  bool IsChordTone(int degree, const Chord& c, int base) const {
    const int pc = ((Pitch(degree, base) % 12) + 12) % 12;
    for (int iv : c.intervals)
      if ((c.root + iv) % 12 == pc) return true;
    return false;
  }
};

// ---------------------------------------------------------------------------
// The piece under construction.

struct Section {
  char letter;  // upper case: with melody; lower case: accompaniment only
  std::vector<Bar> bars;
  double startBeat;  // filled in by the builder
};

class Piece {
 public:
  Piece(int member, double bpm, int beatsPerBar, Key key, uint64_t seed) : key_(key), rng_(seed) {
    score_.path = kMusicPieces[member].member;
    std::replace(score_.path.begin(), score_.path.end(), '\\', '/');
    score_.title = kMusicPieces[member].title;
    score_.bpm = bpm;
    score_.beatsPerBar = beatsPerBar;
  }

  // Chord progressions by section letter (upper case); lower case letters use the same chords.
  void Chords(char letter, const std::vector<std::string>& bars) {
    chords_[letter] = ParseBars(bars);
  }

  // The form, e.g. "iAABA": i is an introduction whose chords were given as 'I'.
  void Form(const std::string& form) {
    double beat = 0;
    for (char ch : form) {
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      const auto it = chords_.find(upper);
      if (it == chords_.end()) throw std::runtime_error("no chords for section");
      sections_.push_back({ch, it->second, beat});
      beat += static_cast<double>(it->second.size()) * score_.beatsPerBar;
      score_.bars += static_cast<int>(it->second.size());
    }
  }

  int AddTrack(int program, int volume, int pan, int reverb, bool drums = false) {
    Track t;
    t.program = program;
    t.volume = volume;
    t.pan = pan;
    t.reverb = reverb;
    t.drums = drums;
    score_.tracks.push_back(t);
    return static_cast<int>(score_.tracks.size()) - 1;
  }

  // A pattern over the chords, one character per step of `step` beats, repeated every bar:
  // a digit is a chord tone (0 root, 1 the next tone up, ...; past the chord's size it goes on
  // an octave higher), 'c' the whole chord, '-' holds the previous note, '.' is a rest. Notes
  // are placed from `floor` upwards. Plays in every section when `inIntro`, else only in the
  // upper-case ones.
  void Pattern(int track, const std::string& pattern, double step, int floor, int velocity,
               bool inIntro = true) {
    const int bpb = score_.beatsPerBar;
    auto& notes = score_.tracks[track].notes;
    ForEachBar(inIntro, [&](const Section& s, size_t b, double barStart) {
      std::vector<size_t> open;  // indices of notes started by the last hit
      for (size_t i = 0; i < pattern.size(); ++i) {
        const double at = static_cast<double>(i) * step;
        if (at >= bpb) break;
        const char ch = pattern[i];
        if (ch == '-') {
          for (size_t n : open) notes[n].length += step;
          continue;
        }
        open.clear();
        if (ch == '.') continue;
        const Chord& chord = ChordAt(s.bars[b], at, bpb);
        const int root = PitchAtOrAbove(chord.root, floor);
        const int vel = Humanise(velocity);
        if (ch == 'c') {
          for (int iv : chord.intervals) {
            open.push_back(notes.size());
            notes.push_back({barStart + at, step * 0.95, root + iv, vel});
          }
        } else if (ch >= '0' && ch <= '9') {
          const int idx = ch - '0';
          const int n = static_cast<int>(chord.intervals.size());
          const int pitch = root + chord.intervals[idx % n] + 12 * (idx / n);
          open.push_back(notes.size());
          notes.push_back({barStart + at, step * 0.95, pitch, vel});
        }
      }
    });
  }

  // A drum line: one character per step (x loud, o medium, - soft, . rest), repeated every bar;
  // `fill` replaces it in the last bar of each section when given.
  void Drum(int track, int note, const std::string& line, double step, bool inIntro = true,
            const std::string& fill = "") {
    const int bpb = score_.beatsPerBar;
    ForEachBar(inIntro, [&](const Section& s, size_t b, double barStart) {
      const std::string& use = (!fill.empty() && b + 1 == s.bars.size()) ? fill : line;
      for (size_t i = 0; i < use.size(); ++i) {
        const double at = static_cast<double>(i) * step;
        if (at >= bpb) break;
        const int vel = use[i] == 'x' ? 105 : use[i] == 'o' ? 78 : use[i] == '-' ? 50 : 0;
        if (vel > 0)
          score_.tracks[track].notes.push_back({barStart + at, step, note, Humanise(vel)});
      }
    });
  }

  // One hit at the start of every upper-case section (a cymbal marking the new part).
  void SectionAccent(int track, int note, int velocity) {
    for (const Section& s : sections_) {
      if (std::isupper(static_cast<unsigned char>(s.letter))) {
        score_.tracks[track].notes.push_back({s.startBeat, 1.0, note, Humanise(velocity)});
      }
    }
  }

  // Rhythms a melody may use for one bar: lengths in beats, negative for a rest; each sums to
  // the bar. The last entry is used for phrase endings.
  void Rhythms(std::vector<std::vector<double>> rhythms, std::vector<double> ending) {
    rhythms_ = std::move(rhythms);
    ending_ = std::move(ending);
  }

  // Writes the melody of every upper-case section on `tracks` (doubling voices), around the
  // scale degree `centre`, within +-range degrees. Degree 0 is the key's tonic in the octave
  // that starts at MIDI note `base` (a C).
  // The same letter gets the same melody every time it comes back.
  void Melody(const std::vector<int>& tracks, int base, int centre, int range, int velocity,
              const std::vector<int>& octaveShift = {}, int harmonyTrack = -1) {
    std::map<char, std::vector<PhraseNote>> written;
    for (const Section& s : sections_) {
      if (!std::isupper(static_cast<unsigned char>(s.letter))) continue;
      auto it = written.find(s.letter);
      const bool repeat = it != written.end();
      if (!repeat) {
        it = written.emplace(s.letter, WritePhrase(s.bars, base, centre, range, velocity)).first;
      }
      for (size_t t = 0; t < tracks.size(); ++t) {
        const int shift = t < octaveShift.size() ? octaveShift[t] : 0;
        for (const PhraseNote& pn : it->second) {
          Note n = pn.note;
          n.beat += s.startBeat;
          n.pitch += shift;
          score_.tracks[tracks[t]].notes.push_back(n);
        }
      }
      // A returning section gets a second voice under the tune: the nearest chord tone a
      // third or more below each note.
      if (repeat && harmonyTrack >= 0) {
        for (const PhraseNote& pn : it->second) {
          int d = pn.degree - 2;
          for (int k = 2; k <= 4; ++k) {
            if (key_.IsChordTone(pn.degree - k, pn.chord, base)) {
              d = pn.degree - k;
              break;
            }
          }
          Note n = pn.note;
          n.beat += s.startBeat;
          n.pitch = FitToChord(key_.Pitch(d, base), pn.chord);
          n.velocity = std::max(1, n.velocity - 14);
          score_.tracks[harmonyTrack].notes.push_back(n);
        }
      }
    }
  }

  Score Finish() { return std::move(score_); }

 private:
  // Calls fn(section, bar index, start beat of the bar) for every bar in order; in the
  // lower-case (accompaniment-only) sections only when `inIntro`.
  template <typename Fn>
  void ForEachBar(bool inIntro, Fn fn) {
    const int bpb = score_.beatsPerBar;
    for (const Section& s : sections_) {
      if (!inIntro && std::islower(static_cast<unsigned char>(s.letter))) continue;
      for (size_t b = 0; b < s.bars.size(); ++b) {
        fn(s, b, s.startBeat + static_cast<double>(b) * bpb);
      }
    }
  }

  int Humanise(int velocity) {
    return std::clamp(velocity + static_cast<int>(rng_.Range(-6, 6)), 1, 127);
  }

  int FitToChord(int pitch, const Chord& chord) const {
    return sound::FitToChord(pitch, chord, *key_.scale, key_.tonic);
  }

  // Degrees of the scale that are tones of the chord, near `around`.
  int NearestChordTone(int around, const Chord& c, int base) const {
    for (int d = 0; d < 8; ++d) {
      if (key_.IsChordTone(around - d, c, base)) return around - d;
      if (key_.IsChordTone(around + d, c, base)) return around + d;
    }
    return around;
  }

  // One bar of melody notes (degrees and rhythm), relative to the bar start.
  struct MelodyBar {
    std::vector<double> rhythm;
    std::vector<int> degrees;
  };

  MelodyBar WriteBar(const Bar& bar, int& prev, int centre, int range,
                     const std::vector<double>& rhythm, bool cadence, bool finalCadence, int base) {
    MelodyBar mb;
    mb.rhythm = rhythm;
    const int bpb = score_.beatsPerBar;
    double at = 0;
    for (size_t i = 0; i < rhythm.size(); ++i) {
      const double len = std::fabs(rhythm[i]);
      const Chord& chord = ChordAt(bar, at, bpb);
      int d = prev;
      if (rhythm[i] > 0) {
        const bool strong = std::fmod(at, bpb % 2 == 0 ? bpb / 2.0 : bpb) < 1e-9;
        const bool last = i + 1 == rhythm.size() || (i + 2 == rhythm.size() && rhythm.back() < 0);
        // A step of one or two degrees, leaning back towards the centre when far from it.
        const double u = rng_.Uniform();
        int step = u < 0.35 ? 1 : u < 0.7 ? -1 : u < 0.85 ? 2 : -2;
        if (prev - centre > range / 2 && step > 0) step = -step;
        if (centre - prev > range / 2 && step < 0) step = -step;
        if (rng_.Uniform() < 0.12) step = 0;  // a repeated note now and then
        d = prev + step;
        if (cadence && last) {
          // Phrase ends: the tonic on a final cadence, otherwise a tone of the chord; the tonic
          // only over a chord that holds it (a dominant chord gets a tone of its own instead).
          const int n = static_cast<int>(key_.scale->size());
          const int tonic = static_cast<int>(std::lround(static_cast<double>(d) / n)) * n;
          if (finalCadence && key_.IsChordTone(tonic, chord, base)) {
            d = tonic;
          } else {
            d = NearestChordTone(d, chord, base);
          }
        } else if (strong || len >= 1.5) {
          d = NearestChordTone(d, chord, base);
          // Landing on the note just played makes a static line; usually move on to the next
          // chord tone in the direction of the step instead.
          if (d == prev && rng_.Uniform() < 0.7) {
            const int dir = step >= 0 ? 1 : -1;
            for (int k = 1; k < 5; ++k) {
              if (key_.IsChordTone(prev + dir * k, chord, base)) {
                d = prev + dir * k;
                break;
              }
            }
          }
        }
        d = std::clamp(d, centre - range, centre + range);
        prev = d;
      }
      mb.degrees.push_back(d);
      at += len;
    }
    return mb;
  }

  // Re-fits the shape of an earlier bar over a new chord: same rhythm and steps, first note
  // moved to the nearest chord tone.
  MelodyBar Echo(const MelodyBar& src, const Bar& bar, int& prev, int centre, int range, int base) {
    MelodyBar mb = src;
    if (mb.degrees.empty()) return mb;
    const int start = NearestChordTone(prev + (src.degrees.front() - prev > 0 ? 1 : -1),
                                       ChordAt(bar, 0, score_.beatsPerBar), base);
    const int shift = start - src.degrees.front();
    for (int& d : mb.degrees) d = std::clamp(d + shift, centre - range, centre + range);
    for (size_t i = mb.degrees.size(); i-- > 0;) {
      if (mb.rhythm[i] > 0) {
        prev = mb.degrees[i];
        break;
      }
    }
    return mb;
  }

  // One melody note with the scale degree and chord it was written for (the second voice is
  // derived from them).
  struct PhraseNote {
    Note note;  // beat relative to the section start, pitch fitted to the chord
    int degree;
    Chord chord;
  };

  // A phrase over the section's bars, built from four-bar halves: motif, echo of the motif on
  // the next chord, continuation, cadence. A second half restates the first two bars, then
  // closes (on the tonic when the last chord holds it).
  std::vector<PhraseNote> WritePhrase(const std::vector<Bar>& bars, int base, int centre, int range,
                                      int velocity) {
    std::vector<MelodyBar> out;
    int prev = centre;
    const size_t n = bars.size();
    for (size_t b = 0; b < n; ++b) {
      const size_t inFour = b % 4;
      const bool phraseEnd = inFour == 3 || b + 1 == n;
      const bool finalEnd = b + 1 == n || (b % 8 == 7);
      const auto& pick = rhythms_[static_cast<size_t>(rng_.Next() % rhythms_.size())];
      MelodyBar mb;
      if (b % 8 == 4 || b % 8 == 5) {
        // Second half of an eight-bar phrase: restate the opening two bars.
        mb = Echo(out[b - 4], bars[b], prev, centre, range, base);
      } else if (inFour == 1) {
        mb = Echo(out[b - 1], bars[b], prev, centre, range, base);
      } else if (phraseEnd) {
        mb = WriteBar(bars[b], prev, centre, range, ending_, true, finalEnd, base);
      } else {
        mb = WriteBar(bars[b], prev, centre, range, pick, false, false, base);
      }
      out.push_back(mb);
    }
    std::vector<PhraseNote> notes;
    const int bpb = score_.beatsPerBar;
    for (size_t b = 0; b < out.size(); ++b) {
      double at = static_cast<double>(b) * bpb;
      for (size_t i = 0; i < out[b].rhythm.size(); ++i) {
        const double len = out[b].rhythm[i];
        if (len > 0) {
          const double accent = std::fmod(at, 1.0) < 1e-9 ? 8 : 0;
          const Chord& chord = ChordAt(bars[b], at - static_cast<double>(b) * bpb, bpb);
          const int degree = out[b].degrees[i];
          notes.push_back({{at, len * 0.92, FitToChord(key_.Pitch(degree, base), chord),
                            Humanise(velocity + static_cast<int>(accent))},
                           degree,
                           chord});
        }
        at += std::fabs(len);
      }
    }
    return notes;
  }

  Key key_;
  Rng rng_;
  Score score_;
  std::map<char, std::vector<Bar>> chords_;
  std::vector<Section> sections_;
  std::vector<std::vector<double>> rhythms_;
  std::vector<double> ending_;
};

// General MIDI programs (0-based) and percussion notes used below.
enum Gm {
  kPiano = 0,
  kElectricPiano = 4,
  kCelesta = 8,
  kGlockenspiel = 9,
  kMusicBox = 10,
  kVibraphone = 11,
  kMarimba = 12,
  kNylonGuitar = 24,
  kAcousticBass = 32,
  kFingerBass = 33,
  kFretlessBass = 35,
  kSynthBass = 38,
  kTremoloStrings = 44,
  kPizzicato = 45,
  kHarp = 46,
  kTimpani = 47,
  kStrings = 48,
  kSlowStrings = 49,
  kChoir = 52,
  kTrumpet = 56,
  kFrenchHorn = 60,
  kBrass = 61,
  kOboe = 68,
  kClarinet = 71,
  kFlute = 73,
  kPanFlute = 75,
  kWarmPad = 89,
  kChoirPad = 91,
  kHaloPad = 94,
  kCrystal = 98,
  kSitar = 104,
  kKalimba = 108,
};
enum Perc {
  kKick = 36,
  kSideStick = 37,
  kSnare = 38,
  kClap = 39,
  kClosedHat = 42,
  kOpenHat = 46,
  kLowTom = 45,
  kCrash = 49,
  kRide = 51,
  kTambourine = 54,
  kHighBongo = 60,
  kLowBongo = 61,
  kMuteConga = 62,
  kLowConga = 64,
  kMaracas = 70,
  kHighWood = 76,
  kLowWood = 77,
  kTriangle = 81,
  kShaker = 82,
};

// Title: bright, brisk D major with brass and glockenspiel over a pop beat.
Score Title() {
  Piece p(0, 132, 4, {2, &kMajor}, 1001);
  p.Chords('I', {"D", "G", "D", "A"});
  p.Chords('A', {"D", "A", "Bm", "G", "D", "A", "G", "A"});
  p.Chords('B', {"G", "A", "F#m", "Bm", "G", "A", "Bm A", "D"});
  p.Form("iABA");
  const int lead = p.AddTrack(kBrass, 100, 64, 40);
  const int glock = p.AddTrack(kGlockenspiel, 70, 84, 50);
  const int bass = p.AddTrack(kFingerBass, 105, 64, 10);
  const int strings = p.AddTrack(kStrings, 72, 44, 60);
  const int piano = p.AddTrack(kPiano, 100, 80, 30);
  const int drums = p.AddTrack(0, 82, 64, 25, true);
  p.Rhythms({{1, 1, 1, 1}, {0.5, 0.5, 1, 2}, {1.5, 0.5, 1, 1}, {1, 0.5, 0.5, 2}}, {1, 1, 2});
  p.Melody({lead, glock}, 60, 4, 6, 96, {0, 12}, strings);
  p.Pattern(bass, "0.0.2.0.", 0.5, 38, 100);
  p.Pattern(strings, "c-------", 0.5, 62, 70);
  p.Pattern(piano, ".c.c.c.c", 0.5, 60, 70);
  p.Drum(drums, kKick, "x...x...x...x...", 0.25, false);
  p.Drum(drums, kSnare, "....x.......x...", 0.25, false, "....x.......xoxo");
  p.Drum(drums, kClosedHat, "o-o-o-o-o-o-o-o-", 0.25);
  p.SectionAccent(drums, kCrash, 100);
  return p.Finish();
}

// World 1, dawn meadow: G major, flute over nylon guitar and pizzicato, shaker and soft kick.
Score Meadow() {
  Piece p(1, 100, 4, {7, &kMajor}, 2002);
  p.Chords('I', {"G", "C", "G", "D"});
  p.Chords('A', {"G", "C", "Em", "D", "G", "C", "D", "G"});
  p.Chords('B', {"C", "D", "Bm", "Em", "C", "Am", "D", "Dsus4 D"});
  p.Form("iABA");
  const int flute = p.AddTrack(kFlute, 100, 70, 50);
  const int guitar = p.AddTrack(kNylonGuitar, 92, 50, 40);
  const int pizz = p.AddTrack(kPizzicato, 95, 84, 40);
  const int bass = p.AddTrack(kAcousticBass, 100, 64, 20);
  const int drums = p.AddTrack(0, 92, 64, 35, true);
  const int clarinet = p.AddTrack(kClarinet, 80, 40, 50);
  p.Rhythms({{1, 1, 2}, {0.5, 0.5, 1, 2}, {1.5, 0.5, 2}, {1, 1, 1, 1}, {2, 1, 1}}, {3, -1});
  p.Melody({flute}, 60, 4, 5, 90, {}, clarinet);
  p.Pattern(guitar, "0214021402140214", 0.25, 55, 72);
  p.Pattern(pizz, ".c.c", 1.0, 67, 62, false);
  p.Pattern(bass, "0---2---", 0.5, 40, 96);
  p.Drum(drums, kShaker, "-o-o-o-o", 0.5);
  p.Drum(drums, kKick, "o.......o.......", 0.25, false);
  p.Drum(drums, kSideStick, "....o.......o...", 0.25, false, "....o.......o.oo");
  p.Drum(drums, kTriangle, "x", 4.0, false);
  return p.Finish();
}

// World 2, deep ocean: D dorian, slow; vibraphone over a warm pad, fretless bass, harp ripples
// and a soft ride.
Score Ocean() {
  Piece p(2, 80, 4, {2, &kDorian}, 3003);
  p.Chords('I', {"Dm7", "G", "Dm7", "G"});
  p.Chords('A', {"Dm7", "G", "Fmaj7", "Em7", "Dm7", "G", "Am7", "Dm7"});
  p.Chords('B', {"Bbmaj7", "C", "Dm7", "Am7", "Bbmaj7", "C", "Asus4", "A"});
  p.Form("iABA");
  const int vibes = p.AddTrack(kVibraphone, 127, 72, 80);
  const int pad = p.AddTrack(kWarmPad, 66, 64, 90);
  const int bass = p.AddTrack(kFretlessBass, 72, 64, 40);
  const int harp = p.AddTrack(kHarp, 70, 44, 90);
  const int drums = p.AddTrack(0, 60, 64, 60, true);
  const int piano = p.AddTrack(kElectricPiano, 80, 50, 80);
  p.Rhythms({{2, 1, 1}, {1.5, 0.5, 2}, {1, 1, 2}, {3, 1}}, {4});
  p.Melody({vibes}, 60, 4, 5, 100, {}, piano);
  p.Pattern(pad, "c-------", 0.5, 57, 66);
  p.Pattern(bass, "0-----2-", 0.5, 38, 92);
  p.Pattern(harp, "01230123", 0.5, 62, 54);
  p.Drum(drums, kRide, "o.-.o.-.o.-.o.-.", 0.25, false);
  p.Drum(drums, kSideStick, "........o.......", 0.25, false);
  p.Drum(drums, kLowTom, "x", 4.0);
  return p.Finish();
}

// World 3, desert sunset: E phrygian dominant, oboe over a sitar drone figure and a rolling
// bass, hand drums and tambourine.
Score Desert() {
  Piece p(3, 96, 4, {4, &kPhrygianDominant}, 4004);
  p.Chords('I', {"E", "F", "E", "E"});
  p.Chords('A', {"E", "F", "E", "Dm", "E", "F", "G F", "E"});
  p.Chords('B', {"Am", "Dm", "E", "Am", "F", "G", "F", "E"});
  p.Form("iABA");
  const int oboe = p.AddTrack(kOboe, 98, 70, 50);
  const int sitar = p.AddTrack(kSitar, 110, 40, 40);
  const int guitar = p.AddTrack(kNylonGuitar, 95, 88, 40);
  const int bass = p.AddTrack(kAcousticBass, 86, 64, 20);
  const int drums = p.AddTrack(0, 76, 64, 30, true);
  p.Rhythms({{1, 0.5, 0.5, 2}, {0.5, 0.5, 0.5, 0.5, 2}, {1.5, 0.5, 1, 1}, {1, 1, 1, 1}}, {3, -1});
  p.Melody({oboe}, 60, 4, 5, 92, {}, sitar);
  p.Pattern(sitar, "0...0.2.", 0.5, 52, 66);
  p.Pattern(guitar, "c..c..c.", 0.5, 59, 60, false);
  p.Pattern(bass, "0..0.20.", 0.5, 40, 98);
  p.Drum(drums, kLowBongo, "x..o..x.x..o..o.", 0.25);
  p.Drum(drums, kHighBongo, "..x..x....x..x.x", 0.25, true, "..x..x..x.x.xxxx");
  p.Drum(drums, kTambourine, "..o...o...o...o.", 0.25, false);
  p.Drum(drums, kLowConga, "x.......x.......", 0.25, false);
  return p.Finish();
}

// World 4, crystal cave: A minor, celesta and crystal arpeggios over a halo pad, fretless bass,
// triangle and wood taps echoing.
Score Crystal() {
  Piece p(4, 92, 4, {9, &kMinor}, 5005);
  p.Chords('I', {"Am", "Fmaj7", "Am", "E"});
  p.Chords('A', {"Am", "F", "C", "G", "Am", "F", "G", "E"});
  p.Chords('B', {"Fmaj7", "G", "Em", "Am", "Dm7", "Em", "Fmaj7", "E"});
  p.Form("iABA");
  const int celesta = p.AddTrack(kCelesta, 100, 64, 90);
  const int musicBox = p.AddTrack(kMusicBox, 80, 90, 90);
  const int crystal = p.AddTrack(kCrystal, 62, 40, 90);
  const int pad = p.AddTrack(kHaloPad, 76, 64, 90);
  const int bass = p.AddTrack(kFretlessBass, 76, 64, 40);
  const int drums = p.AddTrack(0, 85, 64, 80, true);
  const int kalimba = p.AddTrack(kKalimba, 80, 80, 80);
  p.Rhythms({{1, 1, 2}, {0.5, 0.5, 1, 2}, {1, 0.5, 0.5, 1, 1}, {2, 2}}, {3, -1});
  p.Melody({celesta, musicBox}, 60, 2, 5, 92, {0, 12}, kalimba);
  p.Pattern(crystal, "0120312031203120", 0.25, 64, 56);
  p.Pattern(pad, "c-------", 0.5, 57, 62);
  p.Pattern(bass, "0-----0.", 0.5, 33, 90);
  p.Drum(drums, kTriangle, "x.......o.......", 0.25, false);
  p.Drum(drums, kHighWood, "....-.......-.-.", 0.25, false, "....-...-.-.-.o.");
  p.Drum(drums, kShaker, "-.-.-.-.-.-.-.-.", 0.25, false);
  return p.Finish();
}

// World 5, night sky: a lullaby waltz in E flat; music box and choir pad over harp, a soft
// bass on the downbeat and a triangle now and then.
Score Night() {
  Piece p(5, 108, 3, {3, &kMajor}, 6006);
  p.Chords('I', {"Eb", "Ab", "Eb", "Bb"});
  p.Chords('A', {"Eb", "Eb", "Cm", "Cm", "Ab", "Bb", "Eb", "Bb", "Eb", "Gm", "Ab", "Fm", "Eb", "Bb",
                 "Eb", "Eb"});
  p.Chords('B', {"Ab", "Bb", "Gm", "Cm", "Ab", "Bb", "Eb", "Bb"});
  p.Form("iiABA");
  const int box = p.AddTrack(kMusicBox, 100, 64, 80);
  const int flute = p.AddTrack(kPanFlute, 70, 80, 80);
  const int choir = p.AddTrack(kChoirPad, 60, 50, 100);
  const int harp = p.AddTrack(kHarp, 66, 40, 80);
  const int bass = p.AddTrack(kAcousticBass, 76, 64, 40);
  const int drums = p.AddTrack(0, 80, 64, 80, true);
  const int voices = p.AddTrack(kChoir, 70, 64, 100);
  p.Rhythms({{1, 1, 1}, {2, 1}, {1.5, 0.5, 1}, {1, 2}}, {3});
  p.Melody({box, flute}, 60, 4, 5, 86, {12, 0}, voices);
  p.Pattern(choir, "c-----", 0.5, 55, 60);
  p.Pattern(harp, "012324", 0.5, 51, 62);
  p.Pattern(bass, "0-----", 0.5, 39, 90);
  p.Drum(drums, kTriangle, "o..", 1.0, false);
  return p.Finish();
}

// Stage information panel: short and expectant; staccato strings, trumpet call, timpani and a
// snare building up.
Score ReadyAim() {
  Piece p(6, 120, 4, {9, &kMinor}, 7007);
  p.Chords('A', {"Am", "F", "G", "E"});
  p.Chords('B', {"F", "G", "Am", "E"});
  p.Form("AAB");
  const int trumpet = p.AddTrack(kTrumpet, 90, 64, 40);
  const int strings = p.AddTrack(kStrings, 84, 50, 50);
  const int timp = p.AddTrack(kTimpani, 100, 64, 40);
  const int bass = p.AddTrack(kPizzicato, 72, 80, 30);
  const int drums = p.AddTrack(0, 95, 64, 30, true);
  p.Rhythms({{0.5, 0.5, 1, 2}, {1, 0.5, 0.5, 2}, {1, 1, 1, 1}}, {2, 2});
  p.Melody({trumpet}, 60, 4, 5, 94, {}, strings);
  p.Pattern(strings, "c.c.c.cc", 0.5, 57, 80);
  p.Pattern(timp, "0.....0.", 0.5, 40, 100);
  p.Pattern(bass, "00200020", 0.5, 45, 80);
  p.Drum(drums, kSnare, "o...o...o...o.o.", 0.25, true, "o.o.o.o.oooooooo");
  p.Drum(drums, kKick, "x.......x.......", 0.25);
  return p.Finish();
}

// Pause and try-lost menu: a short tense loop in C minor; pulsing synth bass, tremolo strings
// and a ticking wood block.
Score OneMoreTry() {
  Piece p(7, 112, 4, {0, &kMinor}, 8008);
  p.Chords('A', {"Cm", "Cm", "Ab", "G", "Cm", "Fm", "Ab", "G"});
  p.Chords('B', {"Fm", "G", "Cm", "G"});
  p.Form("AB");
  const int horn = p.AddTrack(kClarinet, 84, 70, 50);
  const int strings = p.AddTrack(kTremoloStrings, 70, 50, 60);
  const int bass = p.AddTrack(kSynthBass, 78, 64, 10);
  const int drums = p.AddTrack(0, 95, 64, 30, true);
  p.Rhythms({{1, 1, 1, 1}, {0.5, 0.5, 1, 2}, {2, 1, 1}}, {2, 2});
  p.Melody({horn}, 60, 4, 5, 84);
  p.Pattern(strings, "c-------", 0.5, 55, 64);
  p.Pattern(bass, "00000000", 0.5, 36, 92);
  p.Drum(drums, kHighWood, "x.o.", 0.5);
  p.Drum(drums, kKick, "x.......x.......", 0.25, true, "x.......x...x.x.");
  return p.Finish();
}

// End sequence: a warm F major finale; french horn over strings and piano, a gentle beat.
Score Finale() {
  Piece p(8, 84, 4, {5, &kMajor}, 9009);
  p.Chords('A', {"F", "C", "Dm", "Bb", "F", "C", "Bb", "C"});
  p.Chords('B', {"Dm", "Am", "Bb", "F", "Gm", "C", "Bb C", "F"});
  p.Form("AB");
  const int horn = p.AddTrack(kFrenchHorn, 100, 64, 60);
  const int strings = p.AddTrack(kSlowStrings, 84, 50, 70);
  const int piano = p.AddTrack(kPiano, 100, 80, 50);
  const int bass = p.AddTrack(kAcousticBass, 96, 64, 30);
  const int choir = p.AddTrack(kChoir, 56, 64, 80);
  const int drums = p.AddTrack(0, 85, 64, 40, true);
  p.Rhythms({{2, 1, 1}, {1, 1, 2}, {1.5, 0.5, 2}, {3, 1}}, {4});
  p.Melody({horn}, 60, 4, 5, 92);
  p.Pattern(strings, "c-------", 0.5, 53, 70);
  p.Pattern(choir, "c-------", 0.5, 60, 56);
  p.Pattern(piano, "02120212", 0.5, 53, 66);
  p.Pattern(bass, "0---2---", 0.5, 41, 94);
  p.Drum(drums, kKick, "x.......o.......", 0.25);
  p.Drum(drums, kSideStick, "....o.......o...", 0.25, true, "....o.......o.o-");
  p.Drum(drums, kRide, "o.o.o.o.o.o.o.o.", 0.25);
  p.SectionAccent(drums, kCrash, 80);
  return p.Finish();
}

}  // namespace

double MinimumLoopSeconds(const std::string& path) {
  if (path.find("scnplay_sfxloop") != std::string::npos) return 60.0;
  if (path.find("scnstart") != std::string::npos) return 45.0;
  return 20.0;
}

std::vector<Score> ComposeAll() {
  return {Title(), Meadow(),   Ocean(),      Desert(), Crystal(),
          Night(), ReadyAim(), OneMoreTry(), Finale()};
}

}  // namespace vx::assetgen::sound
