#pragma once
// JSON text for the trace and the state dump.

#include <string>
#include <string_view>

namespace qm {

// The text as a quoted JSON string: quotes, backslashes and control characters escaped,
// everything else (UTF-8 included) passed through.
std::string JsonQuote(std::string_view text);

// Builds one JSON object or array incrementally, inserting the commas.
class JsonBuilder {
 public:
  JsonBuilder& BeginObject(std::string_view key = {});
  JsonBuilder& EndObject();
  JsonBuilder& BeginArray(std::string_view key = {});
  JsonBuilder& EndArray();
  JsonBuilder& Add(std::string_view key, std::string_view value);
  JsonBuilder& Add(std::string_view key, const char* value) {
    return Add(key, std::string_view(value));
  }
  JsonBuilder& Add(std::string_view key, const std::string& value) {
    return Add(key, std::string_view(value));
  }
  JsonBuilder& Add(std::string_view key, long long value);
  JsonBuilder& Add(std::string_view key, int value) {
    return Add(key, static_cast<long long>(value));
  }
  JsonBuilder& Add(std::string_view key, double value);
  JsonBuilder& Add(std::string_view key, bool value);
  const std::string& Text() const { return text_; }

 private:
  void Key(std::string_view key);
  std::string text_;
  bool needComma_ = false;
};

}  // namespace qm
