// What one play frame costs: the view out of the backdrop, sprites, the frame put on screen,
// and the drawing-layer marks.

#include <benchmark/benchmark.h>

#include "platform/surface.h"

namespace qm {
namespace {

Surface Patterned(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = static_cast<uint32_t>((x * 7 + y * 13) & 0xFFFFFF);
  return s;
}

void BM_ViewFromBackdrop(benchmark::State& state) {
  const Surface backdrop = Patterned(1600, 800);
  Surface work(600, 340);
  int pan = 0;
  for (auto _ : state) {
    BitBlt(work, 0, 0, 600, 340, backdrop, pan, 230, RasterOp::Copy);
    pan = (pan + 37) % 1000;
    benchmark::DoNotOptimize(work.Px.data());
  }
  state.SetItemsProcessed(state.iterations() * 600 * 340);
}
BENCHMARK(BM_ViewFromBackdrop);

// A sprite is a mask with And, then its picture with Paint, from the art sheet.
void BM_MaskedSprite(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const Surface art = Patterned(712, 1100);
  Surface work = Patterned(600, 340);
  for (auto _ : state) {
    BitBlt(work, 280, 0, w, h, art, 100, 300, RasterOp::And);
    BitBlt(work, 280, 0, w, h, art, 100 + w, 300, RasterOp::Paint);
    benchmark::DoNotOptimize(work.Px.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h * 2);
}
BENCHMARK(BM_MaskedSprite)->Args({16, 16})->Args({40, 340});

// Standing in for presenting a frame: the whole 640x480 screen copied once.
void BM_FullScreenCopy(benchmark::State& state) {
  const Surface screen = Patterned(640, 480);
  Surface shown(640, 480);
  for (auto _ : state) {
    BitBlt(shown, 0, 0, 640, 480, screen, 0, 0, RasterOp::Copy);
    benchmark::DoNotOptimize(shown.Px.data());
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_FullScreenCopy);

void BM_Line(benchmark::State& state) {
  Surface layer(1600, 800);
  for (auto _ : state) {
    DrawLine(layer, 300, 700, 1250, 120, 0x00FFFF);
    benchmark::DoNotOptimize(layer.Px.data());
  }
}
BENCHMARK(BM_Line);

void BM_Circle(benchmark::State& state) {
  Surface layer(1600, 800);
  for (auto _ : state) {
    DrawCircle(layer, 800, 400, 40, 0xFFFFFF);
    benchmark::DoNotOptimize(layer.Px.data());
  }
}
BENCHMARK(BM_Circle);

}  // namespace
}  // namespace qm
