// Draws a compiled scenario as one SVG picture an author opens in a browser:
// the plan view of the line with its stations, signals, tunnels and lettered
// boards, and under it the gradient profile and the speed limits and
// slowdowns along the route, kilometres on the axis. What is drawn comes from
// route_summary.h, the SVG text from svg_writer.h; this is the layout.
#pragma once

#include <string>
#include <string_view>

#include "reader/scenario_tables.h"

namespace scenario {

// `titolo` heads the picture (UTF-8). The tables are those of a finished
// compile: a route grid must exist; the plan view may be missing.
std::string disegna_scenario(const Scenario& tabelle, std::string_view titolo);

}  // namespace scenario
