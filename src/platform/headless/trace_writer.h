#pragma once
// The trace file: JSON Lines, {"t":MS,"ev":...} per event, each line flushed as it is
// written so that a run that dies leaves every line before the end whole.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/trace.h"

namespace qm {

class TraceWriter {
 public:
  TraceWriter() = default;
  ~TraceWriter();
  TraceWriter(const TraceWriter&) = delete;
  TraceWriter& operator=(const TraceWriter&) = delete;

  // Creates or empties the file. False with `error` set when it cannot be written.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }
  // Does nothing when no file is open.
  void Write(uint64_t timeMs, const TraceEvent& event);

 private:
  std::FILE* file_ = nullptr;
};

// The event's line: "t" first, then the fields as TraceFieldsJson gives them.
std::string TraceLine(uint64_t timeMs, const TraceEvent& event);

}  // namespace qm
