// Note data for the music: each piece is a set of General MIDI tracks of notes placed in beats,
// one loop long. The composer (compose.cpp) writes the pieces; the renderer plays them through
// FluidSynth.
#pragma once

#include <string>
#include <vector>

namespace vx::assetgen::sound {

struct Note {
  double beat;    // start, in beats from the loop start
  double length;  // in beats
  int pitch;      // MIDI note number
  int velocity;   // 1 .. 127
};

struct Track {
  int program = 0;     // General MIDI program, 0-based
  bool drums = false;  // plays on the percussion channel
  int volume = 100;    // channel volume (CC 7)
  int pan = 64;        // CC 10
  int reverb = 40;     // reverb send (CC 91)
  std::vector<Note> notes;
};

struct Score {
  std::string path;   // relative path under the music directory, e.g. "mp3/scnstart/m0.mp3"
  std::string title;  // from the shared title table
  double bpm = 120;
  int beatsPerBar = 4;
  int bars = 0;
  std::vector<Track> tracks;

  double LoopBeats() const { return static_cast<double>(bars) * beatsPerBar; }
  double LoopSeconds() const { return LoopBeats() * 60.0 / bpm; }
};

// All nine pieces, in the order of the title table.
std::vector<Score> ComposeAll();

// The shortest loop each piece must have (world loops 60 s, the title 45 s, the others 20 s).
double MinimumLoopSeconds(const std::string& path);

}  // namespace vx::assetgen::sound
