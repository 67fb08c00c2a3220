#pragma once

#include <string>

namespace generator {

// varnook given options: one generation without a window, its statuses printed as lines.
// Returns the exit status: 0 album complete, 1 the run failed or pictures are missing,
// 2 bad options (nothing written).
int headlessMain(int argc, char** argv);

// The --help text.
std::string headlessHelpText();

} // namespace generator
