#pragma once

namespace tarvel {

// The program: when another start is the player, hands it this start's files and ends (with 0
// once they were taken); otherwise creates the six windows in their fixed order and runs the
// event loop until the main window is closed.
int RunProgram(int argc, char** argv);

}  // namespace tarvel
