#pragma once
// A main form on the fake host, with its settings in a fresh directory, for tests of the
// game's own rules.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/frm_main.h"
#include "fake_host.h"

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
    dir_ = std::filesystem::temp_directory_path() /
           ("quillmoor-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    oldDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    config_ = GameConfig{dir_.string(), dir_.string(), dir_.string(), ""};
    game_ = std::make_unique<FrmMain>(host_, config_);
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::current_path(oldDir_);
    std::filesystem::remove_all(dir_);
  }
  void WriteFile(const std::string& name, const std::string& text) {
    std::FILE* f = std::fopen((dir_ / name).c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }

  HostT host_;
  GameConfig config_;
  std::unique_ptr<FrmMain> game_;
  std::filesystem::path dir_, oldDir_;
};

using GameTest = GameTestOn<GameHost>;

}  // namespace qm
