#include "app/game.h"

#include "app/frm_main.h"

namespace qm {

int RunGame(Host& host, const GameConfig& config) {
  FrmMain main(host, config);
  main.Run();
  return 0;
}

}  // namespace qm
