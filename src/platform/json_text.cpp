#include "platform/json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qm {

std::string JsonQuote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void JsonBuilder::Key(std::string_view key) {
  if (needComma_) text_ += ',';
  if (!key.empty()) text_ += JsonQuote(key) + ":";
  needComma_ = true;
}

JsonBuilder& JsonBuilder::BeginObject(std::string_view key) {
  Key(key);
  text_ += '{';
  needComma_ = false;
  return *this;
}

JsonBuilder& JsonBuilder::EndObject() {
  text_ += '}';
  needComma_ = true;
  return *this;
}

JsonBuilder& JsonBuilder::BeginArray(std::string_view key) {
  Key(key);
  text_ += '[';
  needComma_ = false;
  return *this;
}

JsonBuilder& JsonBuilder::EndArray() {
  text_ += ']';
  needComma_ = true;
  return *this;
}

JsonBuilder& JsonBuilder::Add(std::string_view key, std::string_view value) {
  Key(key);
  text_ += JsonQuote(value);
  return *this;
}

JsonBuilder& JsonBuilder::Add(std::string_view key, long long value) {
  Key(key);
  text_ += std::to_string(value);
  return *this;
}

JsonBuilder& JsonBuilder::Add(std::string_view key, double value) {
  Key(key);
  if (!std::isfinite(value)) {
    text_ += "null";
    return *this;
  }
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  text_.append(buf, result.ptr);
  return *this;
}

JsonBuilder& JsonBuilder::Add(std::string_view key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
  return *this;
}

}  // namespace qm
