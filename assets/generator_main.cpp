// Writes the complete data directory the game reads. Deterministic: the same build paints
// the same pixels and synthesises the same samples.

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "generators.h"

int main(int argc, char** argv) {
  assets::Output out;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      out.Dir = argv[++i];
    } else if (arg == "--voices" && i + 1 < argc) {
      out.VoicesDir = argv[++i];
    } else if (arg == "--icons" && i + 1 < argc) {
      out.IconsDir = argv[++i];
    } else if (arg == "--only" && i + 1 < argc) {
      only.push_back(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s --out DIR [--voices DIR] [--icons DIR] [--only KIND]...\n",
                   argv[0]);
      return 2;
    }
  }
  if (out.Dir.empty()) {
    std::fprintf(stderr, "quillmoor_assetgen: --out DIR is required\n");
    return 2;
  }
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "quillmoor_assetgen: cannot start the font renderer: %s\n",
                 TTF_GetError());
    return 1;
  }
  const std::vector<std::pair<std::string, std::function<void(const assets::Output&)>>> kinds = {
      {"art", assets::GenerateArtSheet},  {"menus", assets::GenerateMenus},
      {"panels", assets::GeneratePanels}, {"backdrops", assets::GenerateBackdrops},
      {"fields", assets::GenerateFields}, {"sounds", assets::GenerateSounds},
      {"help", assets::GenerateHelp},     {"icons", assets::GenerateIcons},
      {"history", assets::GenerateHistoryPanel},
  };
  try {
    std::filesystem::create_directories(out.Dir);
    for (const auto& [name, generate] : kinds) {
      if (!only.empty() && std::find(only.begin(), only.end(), name) == only.end()) continue;
      generate(out);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmoor_assetgen: %s\n", e.what());
    assets::CloseFonts();
    TTF_Quit();
    return 1;
  }
  assets::CloseFonts();
  TTF_Quit();
  return 0;
}
