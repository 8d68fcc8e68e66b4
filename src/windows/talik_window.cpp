#include "windows/talik_window.h"

namespace tarvel {

TTalik::TTalik(QWidget* parent) : QWidget(parent) {
    setObjectName("TTalik");
    setWindowTitle("Tarvel");
}

}  // namespace tarvel
