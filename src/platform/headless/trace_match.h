#pragma once
// Whether a traced event is the one an `until` waits for.

#include <string>

#include "platform/headless/script_parser.h"
#include "platform/trace.h"

namespace qm {

// A field's value as the script writes it: text as it stands, whole numbers in decimal,
// true or false.
std::string TraceValueText(const TraceEvent::Value& value);

// The kind matches and every named field is present with that value. Numbers also match by
// value, so that 0.5 matches .5 and 12 matches 12.0.
bool UntilMatches(const UntilCondition& condition, const TraceEvent& event);

}  // namespace qm
