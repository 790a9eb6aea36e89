#pragma once
// The number rule of the field files: the longest leading number of a line.

#include <string_view>

namespace qm {

// Optional sign, digits, one decimal point (always a full stop) and an optional exponent;
// blanks and tabs before and inside the number are skipped; whatever follows is ignored;
// a line with no leading number gives 0.
double LeadingNumber(std::string_view line);

}  // namespace qm
