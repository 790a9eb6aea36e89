#pragma once
// A main form on the fake host, with its settings in a fresh directory, for tests of the
// game's own rules.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/frm_main.h"
#include "fake_host.h"
#include "test_support.h"

namespace qm {

// A message box nobody answered takes its default button, as in a headless run.
class GameHost : public FakeHost {
 public:
  std::optional<int> MessageBoxOpened() override {
    auto answer = FakeHost::MessageBoxOpened();
    if (!answer) {
      HostEvent dismiss;
      dismiss.Type = HostEvent::Kind::Dismiss;
      Events.push_back(dismiss);
    }
    return answer;
  }
};

// A main form in a fresh directory, which is also the current one: the game's own relative
// paths and a test's land there. On a host of the test's choosing.
template <typename HostT>
class GameTestOn : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string dir = scratch_.Path().string();
    oldDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    game_ = std::make_unique<FrmMain>(host_, GameConfig{dir, dir, dir, ""});
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::current_path(oldDir_);
  }
  PlayerRecord& Shooter() { return game_->Roster.Players[game_->Roster.CurrentPlayer]; }
  // Plain pictures for the art sheet, the backdrop and the view, as a station draws on them.
  void GiveStationPictures() {
    game_->picArt->SetPicture(Surface(712, 1100, 0xFFFFFF));
    game_->picMask->SetPicture(Surface(1600, 800, 0x336699));
    game_->picWork->SetPicture(Surface(600, 340));
  }

  ScratchDir scratch_;
  HostT host_;
  std::unique_ptr<FrmMain> game_;
  std::filesystem::path oldDir_;
};

using GameTest = GameTestOn<GameHost>;

}  // namespace qm
