#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "controls/skin_controls.h"

namespace tarvel::windows {

// Where a window reports a failure it cannot act on (a missing skin picture).
using Report = std::function<void(const std::string& text)>;

// A borderless skinned window: black behind its controls, the skin pictures of its window class
// loaded into its pictures, and a rounded outline. A press on the window or on a background
// picture moves the window. The controls come from the layout table (see SkinWindowOf).
class SkinWindow : public QWidget {
    Q_OBJECT
  protected:
    // window_class: the class the layout table names the window by.
    SkinWindow(std::string_view window_class, QSize client, Qt::WindowFlags flags, QWidget* parent);

    // Loads the pictures of the window class from the Pictures folder; a missing or unreadable
    // file is reported and the window stays usable with the pictures loaded so far.
    void LoadSkin(const std::string& app_dir, const Report& report);
    // Moves the window with the mouse, as a drag of a title bar would.
    void MoveWindow();
    // The rounded outline (corner ellipses 5 x 5) around a rectangle of the client area.
    void SetOutline(const QRect& outline);
    // A left press on the picture moves the window.
    void DragsWindow(controls::TMegaImage& background);

    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::string window_class_;
};

// A skinned window built from the layout table of the enum Id: every control is a child named as
// its record, reached by Id's constants. outline: the rectangle the rounded outline runs around.
template <typename Id>
class SkinWindowOf : public SkinWindow {
  public:
    QWidget& Control(Id id) const { return controls_.Widget(id); }
    controls::TMegaImage& Image(Id id) const { return controls_.Image(id); }
    controls::TKVRScrollerVr& VerticalBar(Id id) const { return controls_.VerticalBar(id); }
    controls::TKVRScrollerH& HorizontalBar(Id id) const { return controls_.HorizontalBar(id); }
    controls::TitleStrip& Strip(Id id) const { return controls_.Strip(id); }
    controls::TCListBox& ListBox(Id id) const { return controls_.List(id); }
    QLabel& Label(Id id) const { return controls_.Label(id); }

  protected:
    SkinWindowOf(QSize client, QRect outline, Qt::WindowFlags flags, QWidget* parent)
        : SkinWindow(controls::TableFor(Id{}).window_class, client, flags, parent),
          controls_(*this) {
        for (const controls::ControlRecord& record : controls_.Table()) {
            if (record.kind == controls::ControlKind::Background) {
                DragsWindow(controls_.Image(static_cast<Id>(record.id)));
            }
        }
        SetOutline(outline);
    }

  private:
    controls::SkinControls<Id> controls_;
};

}  // namespace tarvel::windows
