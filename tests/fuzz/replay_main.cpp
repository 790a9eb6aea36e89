// Outside the fuzz build a harness replays its committed corpus, so every input there, the
// regressions among them, runs with every test run.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int replayed = 0, unreadable = 0;
  auto replay = [&](const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      ++unreadable;
      return;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++replayed;
  };
  // Each argument is an input file or a folder of them.
  for (int i = 1; i < argc; ++i) {
    if (!std::filesystem::is_directory(argv[i])) {
      replay(argv[i]);
      continue;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i]))
      if (entry.is_regular_file()) replay(entry.path());
  }
  std::printf("%d inputs replayed\n", replayed);
  return replayed > 0 && unreadable == 0 ? 0 : 1;
}
