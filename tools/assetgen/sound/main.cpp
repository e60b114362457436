// The sound generator: writes every effect as WAV and every piece of music as MP3.
//
//   vexorbia-soundgen <effects dir> <music dir> <soundfont> [jobs]
//
// Effects go to <effects dir>/son/NAME.wav, music to <music dir>/mp3/.../NAME.mp3. Pieces are
// rendered and encoded on `jobs` threads (default 2); the output does not depend on it.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "effects.h"
#include "render.h"
#include "score.h"
#include "wav.h"

namespace fs = std::filesystem;
using namespace vx::assetgen::sound;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <effects dir> <music dir> <soundfont> [jobs]\n", argv[0]);
    return 2;
  }
  const fs::path sfxDir = argv[1];
  const fs::path musicDir = argv[2];
  const std::string soundFont = argv[3];
  const int jobs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 2;
  try {
    for (const Effect& e : BuildEffects()) WriteFile(sfxDir / e.path, EncodeWav(e.samples));

    QuietSynthesiser();
    const std::vector<Score> scores = ComposeAll();
    std::atomic<size_t> next{0};
    std::mutex failMutex;
    std::string failure;
    auto worker = [&] {
      for (size_t i = next++; i < scores.size(); i = next++) {
        try {
          const Score& s = scores[i];
          if (s.LoopSeconds() < MinimumLoopSeconds(s.path)) {
            throw std::runtime_error(s.path + " is shorter than its minimum loop length");
          }
          WriteFile(musicDir / s.path, EncodeMp3(RenderLoop(s, soundFont)));
          std::printf("%-36s %6.1f s  \"%s\"\n", s.path.c_str(), s.LoopSeconds(), s.title.c_str());
        } catch (const std::exception& e) {
          std::lock_guard<std::mutex> lock(failMutex);
          failure = e.what();
        }
      }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    if (!failure.empty()) throw std::runtime_error(failure);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vexorbia-soundgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
