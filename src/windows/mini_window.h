#pragma once

#include <QWidget>
#include <memory>

namespace tarvel {

namespace winmsg {
class WindowEndpoint;
}

// The mini player window. Its window class "TMinFrm" is registered for the whole run: a second
// start of the program finds it and ends at once.
class TMinFrm : public QWidget {
    Q_OBJECT
  public:
    explicit TMinFrm(QWidget* parent = nullptr);
    ~TMinFrm() override;

  private:
    std::unique_ptr<winmsg::WindowEndpoint> endpoint_;
};

}  // namespace tarvel
