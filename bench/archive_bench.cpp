// Archive look-ups: a member near the end of an archive of a few hundred members.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "storage/archive.h"

namespace {

std::string MakeArchive() {
  std::string path = (std::filesystem::temp_directory_path() / "vx_bench_archive.loc").string();
  std::ofstream out(path, std::ios::binary);
  std::string data(20000, 'x');
  for (int i = 0; i < 300; ++i) out << "img\\member_" << i << ".tga;" << data.size() << ';' << data;
  return path;
}

void BM_ArchiveLookupLast(benchmark::State& state) {
  static const std::string path = MakeArchive();
  for (auto _ : state) {
    long size = 0;
    benchmark::DoNotOptimize(vx::OpenArchiveMember(path.c_str(), "img/member_299.tga", &size));
  }
  vx::ReleaseArchiveBuffer();
}
BENCHMARK(BM_ArchiveLookupLast);

}  // namespace
