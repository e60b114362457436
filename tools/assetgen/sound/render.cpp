#include "render.h"

#include <fluidsynth.h>
#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "dsp.h"

namespace vx::assetgen::sound {
namespace {

constexpr int kBlock = 64;  // FluidSynth applies events at block boundaries

struct Event {
  long sample;
  int order;  // note-offs before note-ons at the same sample
  int channel;
  int pitch;
  int velocity;
};

long SampleOf(double beat, double bpm) {
  return std::lround(beat * 60.0 / bpm * kSampleRate);
}

struct SynthDeleter {
  fluid_settings_t* settings = nullptr;
  void operator()(fluid_synth_t* s) const {
    delete_fluid_synth(s);
    delete_fluid_settings(settings);
  }
};

}  // namespace

void QuietSynthesiser() {
  // FluidSynth 2.3 warns about its own default modulators on every new synthesiser.
  for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
}

long LoopFrames(const Score& score) {
  return (SampleOf(score.LoopBeats(), score.bpm) + kBlock - 1) / kBlock * kBlock;
}

StereoBuffer RenderLoopUnlevelled(const Score& score, const std::string& soundFont) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_settings_setnum(settings, "synth.gain", 0.5);
  fluid_settings_setint(settings, "synth.polyphony", 256);
  fluid_settings_setint(settings, "synth.reverb.active", 1);
  // The chorus runs a free LFO whose phase would differ at the loop's start and end.
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_settings_setnum(settings, "synth.reverb.room-size", 0.55);
  fluid_settings_setnum(settings, "synth.reverb.damp", 0.4);
  fluid_settings_setnum(settings, "synth.reverb.width", 0.9);
  fluid_settings_setnum(settings, "synth.reverb.level", 0.6);
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings),
                                                     SynthDeleter{settings});
  if (!synth) throw std::runtime_error("cannot create the synthesiser");
  if (fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED) {
    throw std::runtime_error("cannot load the SoundFont " + soundFont);
  }

  // Channels: percussion on 9, the others in order around it.
  std::vector<int> channel(score.tracks.size());
  int next = 0;
  for (size_t t = 0; t < score.tracks.size(); ++t) {
    const Track& tr = score.tracks[t];
    if (tr.drums) {
      channel[t] = 9;
    } else {
      if (next == 9) ++next;
      if (next > 15) throw std::runtime_error("too many tracks in " + score.path);
      channel[t] = next++;
      fluid_synth_program_change(synth.get(), channel[t], tr.program);
    }
    fluid_synth_cc(synth.get(), channel[t], 7, tr.volume);
    fluid_synth_cc(synth.get(), channel[t], 10, tr.pan);
    fluid_synth_cc(synth.get(), channel[t], 91, tr.reverb);
    fluid_synth_cc(synth.get(), channel[t], 93, 0);
  }

  const long loop = LoopFrames(score);
  // The first pass only matters for what still sounds when the second begins: notes ending in
  // the last kLeadIn seconds before it, their release and the reverb. Older notes have died
  // away (below -60 dB), so the first pass is played from the earliest note that matters.
  constexpr double kLeadIn = 8.0;
  const long leadIn = std::lround(kLeadIn * kSampleRate);
  long start = std::max(0L, loop - leadIn);
  std::vector<Event> events;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t t = 0; t < score.tracks.size(); ++t) {
      for (const Note& n : score.tracks[t].notes) {
        const long on = pass * loop + SampleOf(n.beat, score.bpm);
        const long off = std::max(on + 1, pass * loop + SampleOf(n.beat + n.length, score.bpm));
        if (pass == 0 && off <= loop - leadIn) continue;
        if (pass == 0) start = std::min(start, on);
        events.push_back({on, 1, channel[t], n.pitch, n.velocity});
        events.push_back({off, 0, channel[t], n.pitch, 0});
      }
    }
  }
  start = start / kBlock * kBlock;
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.sample != b.sample ? a.sample < b.sample : a.order < b.order;
  });

  // Buffers hold the samples from `start` to the end of the second pass.
  const long total = 2 * loop;
  std::vector<float> left(static_cast<size_t>(total - start));
  std::vector<float> right(static_cast<size_t>(total - start));
  long pos = start;
  auto renderTo = [&](long until) {
    until = std::min(until, total);
    if (until <= pos) return;
    fluid_synth_write_float(synth.get(), static_cast<int>(until - pos), left.data(),
                            static_cast<int>(pos - start), 1, right.data(),
                            static_cast<int>(pos - start), 1);
    pos = until;
  };
  for (const Event& e : events) {
    if (e.sample >= total) break;
    renderTo(e.sample);
    if (e.velocity > 0) {
      fluid_synth_noteon(synth.get(), e.channel, e.pitch, e.velocity);
    } else {
      fluid_synth_noteoff(synth.get(), e.channel, e.pitch);
    }
  }
  renderTo(total);

  StereoBuffer out(static_cast<size_t>(2 * loop));
  for (long i = 0; i < loop; ++i) {
    out[static_cast<size_t>(2 * i)] = left[static_cast<size_t>(loop - start + i)];
    out[static_cast<size_t>(2 * i + 1)] = right[static_cast<size_t>(loop - start + i)];
  }
  return out;
}

void LevelMusic(StereoBuffer& samples) {
  const double peak = Peak(samples);
  if (samples.empty() || peak <= 0.0) return;
  double sum = 0.0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  const double rms = std::sqrt(sum / static_cast<double>(samples.size()));
  Gain(samples, std::min(kMusicRms / rms, kMusicPeak / peak));
}

StereoBuffer RenderLoop(const Score& score, const std::string& soundFont) {
  StereoBuffer out = RenderLoopUnlevelled(score, soundFont);
  LevelMusic(out);
  return out;
}

std::string EncodeMp3(const StereoBuffer& samples) {
  lame_global_flags* gf = lame_init();
  if (!gf) throw std::runtime_error("cannot start the MP3 encoder");
  lame_set_in_samplerate(gf, kSampleRate);
  lame_set_out_samplerate(gf, kSampleRate);
  lame_set_num_channels(gf, 2);
  lame_set_mode(gf, JOINT_STEREO);
  lame_set_brate(gf, 160);
  lame_set_VBR(gf, vbr_off);
  lame_set_quality(gf, 3);
  lame_set_bWriteVbrTag(gf, 1);
  lame_set_write_id3tag_automatic(gf, 0);
  if (lame_init_params(gf) < 0) {
    lame_close(gf);
    throw std::runtime_error("cannot set up the MP3 encoder");
  }
  std::string out;
  const int frames = static_cast<int>(samples.size() / 2);
  constexpr int kChunk = 1152 * 16;
  std::vector<unsigned char> buf(static_cast<size_t>(kChunk * 5 / 4 + 7200));
  for (int at = 0; at < frames; at += kChunk) {
    const int n = std::min(kChunk, frames - at);
    const int got =
        lame_encode_buffer_interleaved_ieee_float(gf, samples.data() + 2 * static_cast<size_t>(at),
                                                  n, buf.data(), static_cast<int>(buf.size()));
    if (got < 0) {
      lame_close(gf);
      throw std::runtime_error("MP3 encoding failed");
    }
    out.append(reinterpret_cast<const char*>(buf.data()), static_cast<size_t>(got));
  }
  const int tail = lame_encode_flush(gf, buf.data(), static_cast<int>(buf.size()));
  if (tail > 0) out.append(reinterpret_cast<const char*>(buf.data()), static_cast<size_t>(tail));
  // The info tag (encoder delay and padding) goes over the placeholder first frame.
  const size_t tagSize = lame_get_lametag_frame(gf, buf.data(), buf.size());
  if (tagSize > 0 && tagSize <= out.size()) {
    std::copy(buf.begin(), buf.begin() + static_cast<long>(tagSize), out.begin());
  }
  lame_close(gf);
  return out;
}

}  // namespace vx::assetgen::sound
