#include <clocale>
#include <ctime>

#include "platform/host.h"

namespace qm {

std::string Host::LongTimeAndDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // The user's own formats, as the desktop shows them.
  std::setlocale(LC_TIME, "");
  char text[128];
  const size_t n = std::strftime(text, sizeof text, "%X %A, %B %e, %Y", &local);
  std::setlocale(LC_TIME, "C");
  return std::string(text, n);
}

std::string Host::LocalTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, n);
}

}  // namespace qm
