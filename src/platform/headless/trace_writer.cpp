#include "platform/headless/trace_writer.h"

#include <cerrno>
#include <cstring>

namespace qm {

TraceWriter::~TraceWriter() {
  if (file_) std::fclose(file_);
}

bool TraceWriter::Open(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write the trace " + path + ": " + std::strerror(errno);
    return false;
  }
  if (file_) std::fclose(file_);
  file_ = file;
  return true;
}

void TraceWriter::Write(uint64_t timeMs, const TraceEvent& event) {
  if (!file_) return;
  std::string line = TraceLine(timeMs, event) + "\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

std::string TraceLine(uint64_t timeMs, const TraceEvent& event) {
  std::string fields = TraceFieldsJson(event);
  std::string line = "{\"t\":" + std::to_string(timeMs);
  if (fields.size() < 2 || fields.front() != '{') return line + "}";
  if (fields[1] != '}') line += ',';
  return line.append(fields, 1);
}

}  // namespace qm
