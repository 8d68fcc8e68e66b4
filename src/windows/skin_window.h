#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace tarvel::controls {
class TCListBox;
class TitleStrip;
class TKVRScrollerH;
class TKVRScrollerVr;
class TMegaImage;
}  // namespace tarvel::controls

namespace tarvel::windows {

enum class ControlKind {
    Background,     // a stretched skin picture; pressing it drags the window
    Picture,        // a skin picture whose mouse events do not switch pictures
    Button,         // a skin button with hover and pressed pictures
    VerticalBar,    // TKVRScrollerVr
    HorizontalBar,  // TKVRScrollerH
    Label,          // a text
    TitleStrip,     // controls::TitleStrip, a scrolling title
    List,           // TCListBox
};

// One control of a secondary window at its design place (client pixels).
struct WindowControl {
    std::string_view name;
    ControlKind kind;
    QRect rect;
    std::string_view text;  // the caption of labels, the hint of the other controls
};

// Where a window reports a failure it cannot act on (a missing skin picture).
using Report = std::function<void(const std::string& text)>;

// A borderless skinned window built from its layout table: every control is a child named as
// its entry, the skin pictures of its window class are loaded into the pictures, and the
// outline is a rounded rectangle. A press on the window or its background moves the window.
class SkinWindow : public QWidget {
    Q_OBJECT
  public:
    QWidget& Control(std::string_view name) const;
    controls::TMegaImage& Image(std::string_view name) const;
    controls::TKVRScrollerVr& VerticalBar(std::string_view name) const;
    controls::TKVRScrollerH& HorizontalBar(std::string_view name) const;
    controls::TitleStrip& Strip(std::string_view name) const;
    controls::TCListBox& ListBox(std::string_view name) const;

  protected:
    // window_class: the class the skin table names the window by. outline: the rectangle the
    // rounded outline runs around (corner ellipses 5 x 5).
    SkinWindow(std::string_view window_class, QSize client, QRect outline,
               std::span<const WindowControl> table, Qt::WindowFlags flags, QWidget* parent);

    // Loads the pictures of the window class from the Pictures folder; a missing or unreadable
    // file is reported and the window stays usable with the pictures loaded so far.
    void LoadSkin(const std::string& app_dir, const Report& report);
    // Moves the window with the mouse, as a drag of a title bar would.
    void MoveWindow();
    // The rounded outline (corner ellipses 5 x 5) around a rectangle of the client area.
    void SetOutline(const QRect& outline);

    void mousePressEvent(QMouseEvent* event) override;

  private:
    QWidget* Make(const WindowControl& control);

    std::string window_class_;
    std::map<std::string, QWidget*, std::less<>> by_name_;
};

}  // namespace tarvel::windows
