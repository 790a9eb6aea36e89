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

// A main form in a fresh directory, on a host of the test's choosing.
template <typename HostT>
class GameTestOn : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Path();
    oldDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    config_ = GameConfig{dir_.string(), dir_.string(), dir_.string(), ""};
    game_ = std::make_unique<FrmMain>(host_, config_);
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::current_path(oldDir_);
  }
  void WriteFile(const std::string& name, const std::string& text) {
    qm::WriteFile(dir_ / name, text);
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
  GameConfig config_;
  std::unique_ptr<FrmMain> game_;
  std::filesystem::path dir_, oldDir_;
};

using GameTest = GameTestOn<GameHost>;

}  // namespace qm
