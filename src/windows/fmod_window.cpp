#include "windows/fmod_window.h"

namespace tarvel {

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent) {
    setObjectName("TfrmMain");
    setWindowTitle("Module player");
}

}  // namespace tarvel
