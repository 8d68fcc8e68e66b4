#pragma once

#include <QWidget>

namespace tarvel {

// Hosts the FMOD engine procedures; never shown.
class TfrmMain : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmMain(QWidget* parent = nullptr);
};

}  // namespace tarvel
