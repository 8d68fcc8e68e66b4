#pragma once

#include <QWidget>

namespace tarvel {

// The small playlist window.
class TTalik : public QWidget {
    Q_OBJECT
  public:
    explicit TTalik(QWidget* parent = nullptr);
};

}  // namespace tarvel
