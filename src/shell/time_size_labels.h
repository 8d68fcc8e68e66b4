#pragma once

class QObject;

namespace tarvel::shell {

class MainControls;

// The playlist head's time label StaticText2 and size label StaticText3 share one place: a click
// on the time label shows the size instead, a click on the size label shows the time again.
// A press on either is theirs, so it does not start a window move.
void ConnectTimeSizeLabels(QObject& owner, MainControls& controls);

}  // namespace tarvel::shell
