#pragma once
// The lines a person reads: one per event, then the summary.

#include "tools/display/Event.h"
#include "tools/display/Outcome.h"
#include "tools/display/Summary.h"

#include <string>
#include <string_view>

namespace display {

std::string eventLine(const Event& event);
std::string summaryText(const Summary& summary, const Outcome& outcome);
// Printable ASCII as it is, other bytes as \r, \n, \t or \xNN.
std::string escapeBytes(std::string_view bytes);
// "0d 1b 13", cut after limit bytes.
std::string hexBytes(std::string_view bytes, std::size_t limit);

} // namespace display
