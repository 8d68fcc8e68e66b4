#pragma once

#include <QWidget>

namespace tarvel {

// The 16-band equalizer window.
class TEqualizer : public QWidget {
    Q_OBJECT
  public:
    explicit TEqualizer(QWidget* parent = nullptr);
};

}  // namespace tarvel
