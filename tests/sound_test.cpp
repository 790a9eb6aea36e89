#include "platform/sound.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fake_host.h"
#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

class SoundTest : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    qm::WriteFile(dir_ / name, bytes);
    return (dir_ / name).string();
  }

  std::string LastTrace() const {
    return host_.Traces.empty() ? "" : TraceFieldsJson(host_.Traces.back());
  }

  ScratchDir scratch_;
  const fs::path& dir_ = scratch_.Path();
  FakeHost host_;
};

TEST_F(SoundTest, FilesPlayReplacingWhatPlaysAndMissingFilesPlayNothing) {
  const std::vector<uint8_t> over{'R', 'I', 'F', 'F', 0, 1, 2};
  const std::string path = WriteFile("over.wav", over);

  EXPECT_TRUE(PlaySoundFile(host_, path, SND_ASYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"over.wav","from":"file","flags":1,"result":"played"})");
  ASSERT_EQ(host_.Played.size(), 1u);
  EXPECT_EQ(host_.Played[0].Bytes, over);
  EXPECT_FALSE(host_.Played[0].Wait);

  // The menu click waits for its end, cutting off the hover sound still playing.
  ASSERT_TRUE(host_.Busy);
  EXPECT_TRUE(PlaySoundFile(host_, path, SND_SYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"over.wav","from":"file","flags":0,"result":"played"})");
  ASSERT_EQ(host_.Played.size(), 2u);
  EXPECT_TRUE(host_.Played[1].Wait);

  // A missing file is traced by its bare name, whichever slash the path uses.
  EXPECT_FALSE(PlaySoundFile(host_, (dir_ / "r003.wav").string(), SND_ASYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"r003.wav","from":"file","flags":1,"result":"missing"})");
  EXPECT_FALSE(PlaySoundFile(host_, dir_.string() + "\\c012.wav", SND_SYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"c012.wav","from":"file","flags":0,"result":"missing"})");
  // A directory is no wave either.
  EXPECT_FALSE(PlaySoundFile(host_, dir_.string(), SND_ASYNC));
  EXPECT_EQ(host_.TracesOf("sound").back().Fields.back().second,
            TraceEvent::Value(std::string("missing")));
  EXPECT_EQ(host_.Played.size(), 2u);

  // With the platform's chime in the current directory, a missing remark or cheer plays it
  // instead; a sound asked for without a default still plays nothing.
  WriteFile(DefaultSoundFile, {'R', 'I', 'F', 'F', 9});
  const fs::path oldDir = fs::current_path();
  fs::current_path(dir_);
  EXPECT_TRUE(PlaySoundFile(host_, "tr002.wav", SND_SYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"tr002.wav","from":"file","flags":0,"result":"default"})");
  EXPECT_FALSE(PlaySoundFile(host_, "a3.wav", SND_ASYNC | SND_NODEFAULT | SND_NOSTOP));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"a3.wav","from":"file","flags":19,"result":"missing"})");
  fs::current_path(oldDir);
  fs::remove(dir_ / DefaultSoundFile);

  // A file that exists but will not decode plays nothing either.
  host_.WavesDecode = false;
  EXPECT_FALSE(PlaySoundFile(host_, path, SND_ASYNC));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"over.wav","from":"file","flags":1,"result":"missing"})");
}

TEST_F(SoundTest, RemarksThatMustNotInterruptAreDroppedWhileTheVoiceIsBusy) {
  const std::string path = WriteFile("a1.wav", {1, 2, 3});
  const int remark = SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;

  host_.Busy = true;
  EXPECT_FALSE(PlaySoundFile(host_, path, remark));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"a1.wav","from":"file","flags":19,"result":"dropped"})");
  EXPECT_TRUE(host_.Played.empty());

  host_.Busy = false;
  EXPECT_TRUE(PlaySoundFile(host_, path, remark));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"a1.wav","from":"file","flags":19,"result":"played"})");
  EXPECT_EQ(host_.Played.size(), 1u);
  EXPECT_TRUE(host_.Busy);
}

TEST_F(SoundTest, MemorySoundsReplaceOrGiveWayByTheirFlags) {
  const WaveBuffer trap = ReadWaveFile(WriteFile("t000.wav", {'t', 0, 'r'}));
  const WaveBuffer shot = ReadWaveFile(WriteFile("s000.wav", {'s', 'h', 0}));
  const int replacing = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
  const int givingWay = replacing | SND_NOSTOP;

  EXPECT_TRUE(PlaySoundMemory(host_, trap, givingWay));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"t000.wav","from":"memory","flags":23,"result":"played"})");
  // A shot always cuts off the trap sound...
  EXPECT_TRUE(PlaySoundMemory(host_, shot, replacing));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"s000.wav","from":"memory","flags":7,"result":"played"})");
  ASSERT_EQ(host_.Played.size(), 2u);
  EXPECT_EQ(host_.Played[1].Bytes, shot.Bytes);
  EXPECT_FALSE(host_.Played[1].Wait);
  // ...while the trap sound never cuts off the shot.
  EXPECT_FALSE(PlaySoundMemory(host_, trap, givingWay));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"t000.wav","from":"memory","flags":23,"result":"dropped"})");
  EXPECT_EQ(host_.Played.size(), 2u);

  // A buffer whose file was missing is silent, named after that file.
  const WaveBuffer bump = ReadWaveFile((dir_ / "b001.wav").string());
  host_.Busy = false;
  EXPECT_FALSE(PlaySoundMemory(host_, bump, replacing));
  EXPECT_EQ(LastTrace(),
            R"({"ev":"sound","name":"b001.wav","from":"memory","flags":7,"result":"missing"})");
  EXPECT_EQ(host_.Played.size(), 2u);
}

TEST_F(SoundTest, WaveFilesAreReadWholeByteForByte) {
  std::vector<uint8_t> bytes(70000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  const std::string path = WriteFile("l1.wav", bytes);
  const WaveBuffer wave = ReadWaveFile(path);
  EXPECT_EQ(wave.Source, path);
  EXPECT_EQ(wave.Bytes, bytes);

  const WaveBuffer missing = ReadWaveFile((dir_ / "nothing.wav").string());
  EXPECT_EQ(missing.Source, (dir_ / "nothing.wav").string());
  EXPECT_TRUE(missing.Bytes.empty());
  EXPECT_TRUE(ReadWaveFile(dir_.string()).Bytes.empty());
  EXPECT_TRUE(ReadWaveFile(WriteFile("empty.wav", {})).Bytes.empty());
}

}  // namespace
}  // namespace qm
