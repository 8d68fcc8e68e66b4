#include "windows/equalizer_window.h"

namespace tarvel {

TEqualizer::TEqualizer(QWidget* parent) : QWidget(parent) {
    setObjectName("TEqualizer");
    setWindowTitle("Equalizer");
}

}  // namespace tarvel
