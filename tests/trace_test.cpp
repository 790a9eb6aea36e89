#include "platform/trace.h"

#include <cstdlib>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace qm {
namespace {

std::string OneField(TraceEvent::Value value) {
  return TraceFieldsJson(TraceEvent("x").With("v", std::move(value)));
}

TEST(TraceTest, EventsAreOneJsonObjectInFieldOrder) {
  EXPECT_EQ(TraceFieldsJson(TraceEvent("exit")), R"({"ev":"exit"})");
  EXPECT_EQ(TraceFieldsJson(
                TraceEvent("ini").With("section", "Player0").With("key", "Gun").With("value", "8")),
            R"({"ev":"ini","section":"Player0","key":"Gun","value":"8"})");
  EXPECT_EQ(TraceFieldsJson(TraceEvent("launch").With("program", "marlsmith").With("ok", false)),
            R"({"ev":"launch","program":"marlsmith","ok":false})");
  EXPECT_EQ(OneField(true), R"({"ev":"x","v":true})");
}

TEST(TraceTest, StringsAreEscapedAndUtf8PassesThrough) {
  EXPECT_EQ(OneField(std::string("say \"pull\"")), R"({"ev":"x","v":"say \"pull\""})");
  EXPECT_EQ(OneField(std::string("C:\\games\\k001.wav")),
            R"({"ev":"x","v":"C:\\games\\k001.wav"})");
  EXPECT_EQ(OneField(std::string("Line 1\r\nLine 2\tend")),
            R"({"ev":"x","v":"Line 1\r\nLine 2\tend"})");
  EXPECT_EQ(OneField(std::string("\x01\x08\x0c\x1f", 4)),
            R"({"ev":"x","v":"\u0001\u0008\u000c\u001f"})");
  EXPECT_EQ(OneField(std::string("a\0b", 3)), R"({"ev":"x","v":"a\u0000b"})");
  EXPECT_EQ(OneField(std::string("Zoë Brontë — 射撃")),
            "{\"ev\":\"x\",\"v\":\"Zoë Brontë — 射撃\"}");
  EXPECT_EQ(OneField(std::string("/</script>'")), R"({"ev":"x","v":"/</script>'"})");
  // Field names and the kind are escaped the same way.
  EXPECT_EQ(TraceFieldsJson(TraceEvent("a\"b").With("c\nd", 1)), R"({"ev":"a\"b","c\nd":1})");
}

TEST(TraceTest, NumbersAreExactAndShortest) {
  EXPECT_EQ(OneField(0LL), R"({"ev":"x","v":0})");
  EXPECT_EQ(TraceFieldsJson(TraceEvent("x").With("v", -1)), R"({"ev":"x","v":-1})");
  EXPECT_EQ(OneField(std::numeric_limits<long long>::min()),
            R"({"ev":"x","v":-9223372036854775808})");
  EXPECT_EQ(OneField(std::numeric_limits<long long>::max()),
            R"({"ev":"x","v":9223372036854775807})");
  EXPECT_EQ(OneField(0.1), R"({"ev":"x","v":0.1})");
  EXPECT_EQ(OneField(-2.5), R"({"ev":"x","v":-2.5})");
  EXPECT_EQ(OneField(1e-7), R"({"ev":"x","v":1e-07})");
  EXPECT_EQ(OneField(std::numeric_limits<double>::infinity()), R"({"ev":"x","v":null})");
  EXPECT_EQ(OneField(std::numeric_limits<double>::quiet_NaN()), R"({"ev":"x","v":null})");

  // Whatever the value, the text reads back as the same double.
  const double samples[] = {1.0 / 3,
                            0.7071067811865476,
                            123456.789,
                            6.02214076e23,
                            5e-324,
                            std::numeric_limits<double>::max(),
                            static_cast<float>(0.45)};
  for (double d : samples) {
    const std::string json = OneField(d);
    const std::string number = json.substr(14, json.size() - 15);
    EXPECT_EQ(std::strtod(number.c_str(), nullptr), d) << json;
  }
}

}  // namespace
}  // namespace qm
