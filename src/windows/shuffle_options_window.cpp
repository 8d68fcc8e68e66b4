#include "windows/shuffle_options_window.h"

namespace tarvel {

TSFoptions::TSFoptions(QWidget* parent) : QWidget(parent) {
    setObjectName("TSFoptions");
    setWindowTitle("Shuffle options");
}

}  // namespace tarvel
