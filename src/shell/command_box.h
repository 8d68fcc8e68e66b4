#pragma once

namespace tarvel {
class TForm1;
}

namespace tarvel::shell {

// The command box CmdSearch: every key pressed in it hides the progress gauge Gauge1 that shares
// its place; Enter runs the box's text as a command line and empties the box.
void ConnectCommandBox(TForm1& form);

}  // namespace tarvel::shell
