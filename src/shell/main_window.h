#pragma once

#include <QWidget>
#include <string>

namespace tarvel {

namespace system {
class SystemServices;
}

// The main window: borderless, black, 698 x 619 at its design size, its look made entirely of
// skin pictures. It owns the shared state of the run and wires the controls to the subsystems.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDesignWidth = 698;
    static constexpr int kDesignHeight = 619;

    TForm1(system::SystemServices& services, std::string app_dir, QWidget* parent = nullptr);

    system::SystemServices& Services() { return services_; }
    const std::string& AppDir() const { return app_dir_; }

  signals:
    // The window was closed by any means; the run ends.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    system::SystemServices& services_;
    std::string app_dir_;
    bool closed_ = false;
};

}  // namespace tarvel
