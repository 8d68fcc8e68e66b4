#pragma once

namespace tarvel {

// The program: ends at once with 0 when another instance runs (its mini player window class
// "TMinFrm" exists); otherwise creates the six windows in their fixed order and runs the event
// loop until the main window is closed.
int RunProgram(int argc, char** argv);

}  // namespace tarvel
