#pragma once

#include <string>

#include "windows/skin_window.h"

namespace tarvel {

namespace windows {

// What the small playlist window asks of the main window: the playlist operations of the main
// list, on rows numbered from 1. The main window implements it.
class SmallPlaylistHost {
  public:
    virtual ~SmallPlaylistHost() = default;
    virtual void PlayRow(int row) = 0;
    // Removes the row unless it is the playing one; true when it went.
    virtual bool DeleteSong(int row) = 0;
    // Moves the row source_row (-1: none) to target (the row count + 1: the end).
    virtual void MoveRow(int target, int source_row) = 0;
    // The hint of a row: artist, album, title, duration and bit rate, or "CD - " and the title.
    virtual std::string RowHint(int row) const = 0;
};

}  // namespace windows

// The small playlist window: a narrow list of the working playlist that drops down under the
// mini player. Its list ListBox6 holds the same items as the main window's playlist; a double
// click (or Enter) plays a row and closes the window, Delete removes a row, a drag moves one, and
// the wheel scrolls three rows at a time. Hidden until the mini player opens it.
class TTalik : public windows::SkinWindowOf<controls::SmallList> {
    Q_OBJECT
  public:
    static constexpr int kWheelRows = 3;

    explicit TTalik(const std::string& app_dir, const windows::Report& report = {},
                    QWidget* parent = nullptr);

    void SetHost(windows::SmallPlaylistHost* host) { host_ = host; }
    // Shrinks the list on a screen narrower than 1024 pixels (scale_x below 1.0), with the small
    // font.
    void Scale(double scale_x);

    controls::TCListBox& List() const;
    controls::TKVRScrollerVr& Bar() const;
    // The hint of the row under the pointer: its 1-based row (-1 below the items) and its text.
    int HintRow() const { return hint_row_; }
    const std::string& HintText() const { return hint_text_; }
    int DragSourceRow() const { return drag_source_row_; }

    // Handlers. item is a 0-based item of the list, -1 for none.
    void ListBox6DblClick(int item);
    bool ListBox6KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void ListBox6MouseMove(int item);
    void ListBox6DragEnter(int item);
    void ListBox6DragDrop(int item);
    void FormMouseWheelDown();
    void FormMouseWheelUp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Moves the list's first row and the scroll bar by rows, held within the bar's range.
    void ScrollBy(int rows);
    // The item under a point of the list's viewport, -1 below the items.
    int ItemAt(const QPoint& point) const;
    void StartDrag();
    // The hint of the row under the pointer, when it has one.
    void ShowHint();

    controls::TCListBox* list_ = nullptr;
    windows::SmallPlaylistHost* host_ = nullptr;
    int hint_row_ = 0;
    std::string hint_text_;
    int drag_source_row_ = -1;
};

}  // namespace tarvel
