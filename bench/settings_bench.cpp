// What one settings write costs: the file read, one key changed, a temporary file written,
// flushed and renamed over it. bench/kill_settings.sh kills this mid-write on purpose.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/profile.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

void BM_SettingsWrite(benchmark::State& state) {
  // The kill test names the folder; otherwise a scratch folder of our own.
  const char* given = std::getenv("QUILLMOOR_SETTINGS_DIR");
  std::string scratch = (fs::temp_directory_path() / "quillmoor-bench-XXXXXX").string();
  const fs::path dir = given ? fs::path(given) : fs::path(::mkdtemp(scratch.data()));
  ProfileFile ini((dir / "quillmoor.ini").string());
  for (int i = 0; i < 20; ++i)
    ini.WriteString("Player" + std::to_string(i % 4), "Key" + std::to_string(i), "value");
  long count = 0;
  for (auto _ : state) ini.WriteString("Settings", "Count", std::to_string(++count));
  if (!given) fs::remove_all(dir);
}
BENCHMARK(BM_SettingsWrite);

}  // namespace
}  // namespace qm
