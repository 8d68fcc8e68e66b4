#pragma once

#include <QWidget>

namespace tarvel {

// The shuffle options window: the shares of the shuffle sources.
class TSFoptions : public QWidget {
    Q_OBJECT
  public:
    explicit TSFoptions(QWidget* parent = nullptr);
};

}  // namespace tarvel
