#pragma once

// The application's name. No display name is set: the platform would append it to the title
// of every window and message box.
void nameApplication();

// Program entry: the three windows in their order, then the event loop.
int runProgram(int argc, char** argv);
