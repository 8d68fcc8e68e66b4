#pragma once

namespace tarvel {

// The program: when another start is the player, hands it this start's files and ends (with 0
// once they were taken); otherwise creates the six windows in their fixed order and runs the
// event loop until the main window is closed. Ends with 1 when the exit save failed in part.
int RunProgram(int argc, char** argv);

}  // namespace tarvel
