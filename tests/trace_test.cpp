#include "platform/trace.h"

#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace qm {
namespace {

std::string OneField(TraceEvent::Value value) {
  return TraceFieldsJson(TraceEvent("x").With("v", std::move(value)));
}

// Whole events, their fields in order, are compared by the scenarios' expectations (the
// message box scenario's exit line, say) and score_sheet_test's settings writes; here, what
// escaping and numbers must give.
TEST(TraceTest, EventsAreOneJsonObjectInFieldOrderWithExactValues) {
  // Field names and the kind are escaped as values are.
  EXPECT_EQ(TraceFieldsJson(TraceEvent("a\"b").With("c\nd", 1)), R"({"ev":"a\"b","c\nd":1})");

  using V = TraceEvent::Value;
  const std::pair<V, std::string> values[] = {
      {V(false), "false"},
      {V(std::string("say \"pull\"")), R"("say \"pull\"")"},
      {V(std::string("C:\\games\\k001.wav")), R"("C:\\games\\k001.wav")"},
      {V(std::string("Line 1\r\nLine 2\tend")), R"("Line 1\r\nLine 2\tend")"},
      {V(std::string("\x01\x08\x0c\x1f", 4)), R"("\u0001\u0008\u000c\u001f")"},
      {V(std::string("a\0b", 3)), R"("a\u0000b")"},
      {V(std::string("Zoë Brontë — 射撃")), "\"Zoë Brontë — 射撃\""},
      {V(std::string("/</script>'")), R"("/</script>'")"},
      {V(std::numeric_limits<long long>::min()), "-9223372036854775808"},
      {V(std::numeric_limits<long long>::max()), "9223372036854775807"},
      {V(0.1), "0.1"},
      {V(-2.5), "-2.5"},
      {V(1e-7), "1e-07"},
      {V(std::numeric_limits<double>::infinity()), "null"},
      {V(std::numeric_limits<double>::quiet_NaN()), "null"},
  };
  for (const auto& [value, json] : values)
    EXPECT_EQ(OneField(value), R"({"ev":"x","v":)" + json + "}");

  // Whatever the value, the shortest text reads back as the same double.
  for (double d : {1.0 / 3, 123456.789, 6.02214076e23, 5e-324, std::numeric_limits<double>::max(),
                   static_cast<double>(0.45f)}) {
    const std::string json = OneField(d);
    const std::string number = json.substr(14, json.size() - 15);
    EXPECT_EQ(std::strtod(number.c_str(), nullptr), d) << json;
  }
}

}  // namespace
}  // namespace qm
