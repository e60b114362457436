// Playing a score through FluidSynth and encoding the result as a looping MP3.
#pragma once

#include <string>
#include <vector>

#include "score.h"

namespace vx::assetgen::sound {

// Interleaved stereo float samples at 44.1 kHz.
using StereoBuffer = std::vector<float>;

// Level targets for the music: the RMS of a whole loop, capped so the peak stays below -1.5 dBFS
// (room for the MP3 codec's overshoot).
inline constexpr double kMusicRms = 0.13;  // about -17.7 dBFS
inline constexpr double kMusicPeak = 0.84;

// Turns off FluidSynth's warning and information messages (errors still show). Call once
// before rendering on several threads.
void QuietSynthesiser();

// Length of a piece's loop in sample frames: its beats at its tempo, rounded up to a whole
// number of FluidSynth's 64-sample blocks.
long LoopFrames(const Score& score);

// Renders exactly one loop of the score. The score is played twice without a break (the first
// pass only from a few seconds before its end) and the second pass is kept, so the notes and reverb
// still sounding at the end of the loop are already present at its start, and the loop's end runs
// into its start as it would in a continuous performance. The loop length is a whole number of
// FluidSynth's 64-sample blocks, so both passes see the same event timing. The result is levelled
// with LevelMusic.
StereoBuffer RenderLoop(const Score& score, const std::string& soundFont);

// The same without levelling, at the synthesiser's own output level (for comparing parts).
StereoBuffer RenderLoopUnlevelled(const Score& score, const std::string& soundFont);

// Scales a piece to kMusicRms over its whole length, or less when its peak would pass
// kMusicPeak.
void LevelMusic(StereoBuffer& samples);

// Encodes stereo samples as MP3 (44.1 kHz, joint stereo, 160 kbit/s CBR) with the LAME info tag
// written over the first frame, so decoders that honour it drop the encoder's delay and padding
// and the decoded piece has exactly the input's length (gapless looping).
std::string EncodeMp3(const StereoBuffer& samples);

}  // namespace vx::assetgen::sound
