#pragma once

#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <string>

// A private X server (Xvfb) for end-to-end runs, and real input into it through xdotool.
namespace tarvel::testing {

class XSession {
  public:
    // Starts Xvfb on a display it chooses itself, with one screen of the given size ("WxHxD").
    explicit XSession(const QString& screen = QStringLiteral("1280x1024x24"));
    // Stops the server and checks that it ended as asked.
    ~XSession();

    bool Ok() const { return ok_; }
    // ":93"
    const QString& Display() const { return display_; }

    // Runs a command on this display, waits for it and returns its standard output; a command
    // that fails (exit code other than 0) fails the test.
    QString Run(const QString& program, const QStringList& arguments) const;

    // The id of the visible window whose title matches the regular expression (waits up to 10 s);
    // 0 when there is none.
    unsigned long FindWindow(const QString& title_pattern) const;
    // Waits until a window whose title matches is visible (shown) or none is (!shown); false when
    // that has not come within limit_ms.
    bool WaitForShown(const QString& title_pattern, bool shown, int limit_ms = 10000) const;
    // Moves the pointer to (x, y) of the window's client area and clicks button 1 (twice for a
    // double click).
    void Click(unsigned long window, int x, int y, bool double_click = false) const;
    void Click(unsigned long window, QPoint at, bool double_click = false) const {
        Click(window, at.x(), at.y(), double_click);
    }
    // Presses a key combination as xdotool names it ("super+Right", "ctrl+s").
    void Key(const QString& keys) const;
    // The window's geometry as the X server has it: x, y, width, height.
    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Geometry WindowGeometry(unsigned long window) const;
    // A screenshot of the whole screen into a PNG file.
    void Screenshot(const std::string& png) const;

  private:
    // The ids of the visible windows whose titles match, one a line; empty when none.
    QString SearchVisible(const QString& title_pattern) const;

    QProcess server_;
    QString display_;
    bool ok_ = false;
};

}  // namespace tarvel::testing
