#include "platform/sound.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_host.h"
#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::FieldsAre;
using testing::IsEmpty;

class SoundTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(scratch_.Path() / name, std::string(bytes.begin(), bytes.end()));
    return scratch_ / name;
  }
  // The fields of the last sound traced, from its name on.
  std::string Last() const {
    const std::string json = TraceFieldsJson(host_.Traces.back());
    return json.substr(json.find("\"name\""));
  }

  ScratchDir scratch_;
  FakeHost host_;
};

TEST_F(SoundTest, FilesPlayReplacingWhatPlaysAndMissingFilesPlayTheChimeOrNothing) {
  const std::vector<uint8_t> over{'R', 'I', 'F', 'F', 0, 1, 2};
  const std::string path = Write("over.wav", over);
  EXPECT_TRUE(PlaySoundFile(host_, path, SND_ASYNC));
  EXPECT_EQ(TraceFieldsJson(host_.Traces.back()),
            R"({"ev":"sound","name":"over.wav","from":"file","flags":1,"result":"played"})");
  // The menu click waits for its end, cutting off the hover sound still playing.
  ASSERT_TRUE(host_.Busy);
  EXPECT_TRUE(PlaySoundFile(host_, path, SND_SYNC));
  EXPECT_EQ(Last(), R"("name":"over.wav","from":"file","flags":0,"result":"played"})");
  EXPECT_THAT(host_.Played, ElementsAre(FieldsAre(over, false), FieldsAre(over, true)));

  // A missing file is traced by its bare name, whichever slash the path uses; a directory
  // or a file that will not decode is no wave either.
  EXPECT_FALSE(PlaySoundFile(host_, scratch_ / "r003.wav", SND_ASYNC));
  EXPECT_EQ(Last(), R"("name":"r003.wav","from":"file","flags":1,"result":"missing"})");
  EXPECT_FALSE(PlaySoundFile(host_, scratch_.Path().string() + "\\c012.wav", SND_SYNC));
  EXPECT_EQ(Last(), R"("name":"c012.wav","from":"file","flags":0,"result":"missing"})");
  EXPECT_FALSE(PlaySoundFile(host_, scratch_.Path().string(), SND_ASYNC));
  EXPECT_EQ(TextField(host_.Traces.back(), "result"), "missing");
  host_.WavesDecode = false;
  EXPECT_FALSE(PlaySoundFile(host_, path, SND_ASYNC));
  EXPECT_EQ(Last(), R"("name":"over.wav","from":"file","flags":1,"result":"missing"})");
  EXPECT_EQ(host_.Played.size(), 2u);
  host_.WavesDecode = true;

  // With the platform's chime in the current directory, a missing remark or cheer plays it
  // instead; a sound asked for without a default still plays nothing.
  Write(DefaultSoundFile, {'R', 'I', 'F', 'F', 9});
  const fs::path oldDir = fs::current_path();
  fs::current_path(scratch_.Path());
  EXPECT_TRUE(PlaySoundFile(host_, "tr002.wav", SND_SYNC));
  EXPECT_EQ(Last(), R"("name":"tr002.wav","from":"file","flags":0,"result":"default"})");
  EXPECT_EQ(host_.Played.back().Bytes, (std::vector<uint8_t>{'R', 'I', 'F', 'F', 9}));
  EXPECT_FALSE(PlaySoundFile(host_, "a3.wav", SND_ASYNC | SND_NODEFAULT | SND_NOSTOP));
  EXPECT_EQ(Last(), R"("name":"a3.wav","from":"file","flags":19,"result":"missing"})");
  fs::current_path(oldDir);
}

// The trap sound gives way to whatever plays (the rule practice_simultaneous_pair shows
// end to end, where the pair's second trap sound is dropped); a shot always cuts it off.
TEST_F(SoundTest, AShotFromMemoryCutsOffTheTrapSound) {
  const WaveBuffer trap = ReadWaveFile(Write("t000.wav", {'t', 0, 'r'}));
  const WaveBuffer shot = ReadWaveFile(Write("s000.wav", {'s', 'h', 0}));
  const int replacing = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
  EXPECT_TRUE(PlaySoundMemory(host_, trap, replacing | SND_NOSTOP));
  EXPECT_TRUE(PlaySoundMemory(host_, shot, replacing));
  EXPECT_EQ(Last(), R"("name":"s000.wav","from":"memory","flags":7,"result":"played"})");
  EXPECT_THAT(host_.Played,
              ElementsAre(FieldsAre(trap.Bytes, false), FieldsAre(shot.Bytes, false)));
}

TEST_F(SoundTest, WaveFilesAreReadWholeByteForByte) {
  std::vector<uint8_t> bytes(70000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  const std::string path = Write("l1.wav", bytes);
  EXPECT_THAT(ReadWaveFile(path), FieldsAre(path, bytes));
  EXPECT_THAT(ReadWaveFile(scratch_ / "nothing.wav"),
              FieldsAre(scratch_ / "nothing.wav", IsEmpty()));
  EXPECT_TRUE(ReadWaveFile(scratch_.Path().string()).Bytes.empty());
  EXPECT_TRUE(ReadWaveFile(Write("empty.wav", {})).Bytes.empty());
}

}  // namespace
}  // namespace qm
