// What a busy station frame costs: the backdrop window, two clay targets with shadows and
// trails, a break puff with its chips, the locators and pointer lines, the cage, the gun
// and the ejected shell, composed on the real art sheet over a real backdrop.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "../tests/fake_host.h"
#include "app/frm_main.h"
#include "platform/sdl/media_decode.h"

namespace qm {
namespace {

// The generated data directory: $QUILLMOOR_DATA, else data/ of the build the bench lies in.
std::string DataDirectory() {
  if (const char* env = std::getenv("QUILLMOOR_DATA")) return env;
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "data")
      .string();
}

// A main form on the fake host with the art sheet and field 1's backdrop loaded.
struct BusyStation {
  FakeHost host;
  std::unique_ptr<FrmMain> game;
  StationState station;

  BusyStation() {
    const std::string data = DataDirectory();
    game = std::make_unique<FrmMain>(host, GameConfig{data, data, data, ""});
    auto art = DecodeBmpFile(data + "/art.bmp");
    auto backdrop = DecodeBmpFile(data + "/0f1.bmp");
    if (!art || !backdrop) throw std::runtime_error("no art sheet or backdrop in " + data);
    game->picArt->SetPicture(*art);
    game->picMask->SetPicture(*backdrop);
    game->picWork->SetPicture(Surface(600, 340));
    game->picMain->MakePersistent();
    PlayerRecord& shooter = game->Roster.Players[0];
    shooter.TrapHint = shooter.HintLine = shooter.Tracking = 1;
    shooter.Choke = 12;
    game->Field.TrapCount = 2;
    game->Field.Traps[0] = {1040, 478, -1.8f, 4.2f, 700, Incoming, 0};
    game->Field.Traps[1] = {760, 650, 1.2f, 4.5f, 525, GoingAway, 0};
    game->Shot.FirstTrap = 0;
    game->Shot.SecondTrap = 1;
    game->View.PanX = 600;
    game->View.PanY = 250;
    game->Shot.GunY = 240;
  }

  // Two clays in view, one puff with its chips, a shell in the air: the busiest frame.
  void Arm() {
    for (int k = 0; k < 2; ++k) {
      ClayRecord& clay = game->Field.Clays[k];
      clay = {};
      clay.State = ClayFlying;
      clay.X = 850.0f + 60 * k;
      clay.Y = 400.0f - 20 * k;
      clay.VX = 0;
      clay.VY = 0;
      clay.FloorY = 700;
      clay.SpriteY = 12;
    }
    game->Shot.ClayClock = {game->Timer(), game->Timer()};
    game->Shot.Breaks[0] = {2, 880, 420, 0, 0, 5};
    for (Fragment& chip : game->Shot.Fragments) chip = {.X = 880, .Y = 420, .VY = 0, .VX = 0};
    station.EjectFrame = 7;
    game->View.ClayProgress = 0;  // locators and the ambient chance on top
  }
};

void BM_StationFrame(benchmark::State& state) {
  BusyStation busy;
  for (auto _ : state) {
    state.PauseTiming();
    busy.Arm();
    state.ResumeTiming();
    busy.game->StationFrame(busy.station);
    benchmark::DoNotOptimize(busy.game->picMain->Image().Px.data());
  }
}
BENCHMARK(BM_StationFrame)->Unit(benchmark::kMicrosecond);

// The same frame with nothing in flight and no aids: the floor every frame pays.
void BM_QuietStationFrame(benchmark::State& state) {
  BusyStation busy;
  PlayerRecord& shooter = busy.game->Roster.Players[0];
  shooter.TrapHint = shooter.HintLine = shooter.Tracking = 0;
  busy.game->View.ClayProgress = 1;
  for (auto _ : state) {
    busy.game->StationFrame(busy.station);
    benchmark::DoNotOptimize(busy.game->picMain->Image().Px.data());
  }
}
BENCHMARK(BM_QuietStationFrame)->Unit(benchmark::kMicrosecond);

// The whole play screen as the host would be handed it: panels, labels and the frame.
void BM_ComposeScreen(benchmark::State& state) {
  BusyStation busy;
  busy.game->picMain->Show();
  Surface screen(640, 480);
  for (auto _ : state) {
    busy.game->form().ComposeScreen(screen);
    benchmark::DoNotOptimize(screen.Px.data());
  }
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
