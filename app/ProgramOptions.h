#pragma once

#include <optional>

// --help and --version of the program: answered before any window exists, so they work
// without a display. Returns the exit status when one of them was given.
std::optional<int> answerInfoOption(int argc, char** argv);
