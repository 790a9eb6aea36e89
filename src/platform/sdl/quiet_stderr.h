#pragma once
// Silences the process's error output for a while. The system libraries SDL probes (sound
// servers, display protocols) print their own complaints on a machine without them; the
// game says what matters once, in its own words.

namespace qm {

class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace qm
