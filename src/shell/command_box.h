#pragma once

namespace tarvel::shell {

class MainControls;
class PlayerCommands;

// The command box CmdSearch: every key pressed in it hides the progress gauge Gauge1 that shares
// its place; Enter runs the box's text as a command line and empties the box.
void ConnectCommandBox(MainControls& controls, PlayerCommands& commands);

}  // namespace tarvel::shell
