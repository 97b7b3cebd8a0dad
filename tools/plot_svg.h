// Draws a compiled scenario as one SVG picture an author opens in a browser
// to check a route: the plan view of the line with its curves, kilometre
// posts, stations, signals, tunnels and lettered boards; under it the
// gradient profile with its figures, the curves by side and class, the
// train's speed limits beside the line's speed boards and the slowdowns,
// and the signals by kind on the kilometre axis. What is drawn comes from
// route_summary.h, the SVG text from svg_writer.h; this is the layout.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "reader/scenario_tables.h"

namespace scenario {

// `titolo` heads the picture (UTF-8). The tables are those of a finished
// compile: a route grid must exist; the plan view may be missing. `avvisi`,
// when there are any, are the compile's error messages: they go into a red
// band at the top.
std::string disegna_scenario(const Scenario& tabelle, std::string_view titolo,
                             std::span<const std::string> avvisi = {});

}  // namespace scenario
