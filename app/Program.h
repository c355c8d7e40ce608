#pragma once

// Program entry: the three windows in their order, then the event loop.
int runProgram(int argc, char** argv);
