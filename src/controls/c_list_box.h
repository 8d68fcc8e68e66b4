#pragma once

#include <QListView>
#include <QStringList>
#include <functional>

#include "controls/list_box_rules.h"

namespace tarvel::controls {

class ListItems;

// The data type of a drag of a row out of one of the program's lists.
inline constexpr char kListRowFormat[] = "application/x-tarvel-list-row";

// The list of every panel: one column of text items, 16 pixels high, drawn by the list itself so
// the playing row shows in its own colour with a play or pause picture. It never shows a scroll
// bar of its own; a TKVRScrollerVr beside it follows TopIndex. Its items are either kept by the
// list (addItem) or named on demand by a source (SetItemSource), so a list of a hundred thousand
// rows costs only the rows on screen.
class TCListBox : public QListView {
    Q_OBJECT
  public:
    static constexpr int kItemHeight = 16;

    explicit TCListBox(QWidget* parent = nullptr);

    // The kept items. clear() and addItem() also end a source's items.
    void clear();
    void addItem(const QString& text);
    void addItems(const QStringList& texts);
    void SetItemText(int index, const QString& text);
    void RemoveItem(int index);
    // Shows `count` items whose texts `text` gives (by 0-based index) when they are drawn.
    void SetItemSource(int count, std::function<QString(int)> text);
    int count() const;
    QString ItemText(int index) const;
    // The current (selected) row, -1 when none; setting -1 clears the selection.
    int currentRow() const;
    void setCurrentRow(int row);

    int MarkedIndex() const { return mark_.marked_index; }
    QColor MarkColor() const { return mark_.mark_color; }
    QString MarkMode() const { return mark_.mark_mode; }
    QColor MarkSpareColor() const { return mark_spare_color_; }
    // Sets the mark; does not repaint (the owner repaints, or the next paint shows it).
    void SetItemFont(int index, const QColor& color, const QColor& spare_color,
                     const QString& mode);

    // The play (imgPl) and pause (ImgPz) pictures, red drawn transparent.
    void SetMarkPictures(const QImage& play, const QImage& pause);
    const QImage& PlayPicture() const { return play_; }
    const QImage& PausePicture() const { return pause_; }

    // The first visible row, for the neighbouring scroll bar.
    int TopIndex() const;
    void SetTopIndex(int index);
    // How many whole rows fit in the list's height.
    int VisibleRows() const;

    // Kept for the window definitions; they take no part in the drawing.
    QColor LineColorSelected;
    QColor FontSelectedColor;

  signals:
    void TopIndexChanged(int index);
    // The pointer moved over the list: the 0-based item under it, -1 below the items.
    void PointerOverItem(int item);
    // The pointer rests over the list: the owner shows the hint of the item (-1: none).
    void HintWanted(int item);
    // A left press on an item moved the platform's drag distance or more with the button held:
    // the owner starts the drag of that item. Once per press.
    void RowDragStarted(int item);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    ListItems* items_;
    MarkState mark_;
    QColor mark_spare_color_ = QColor(0, 0, 0);
    QImage play_;
    QImage pause_;
    // The item a left press fell on, while it may still become a drag; -1 when none.
    int drag_item_ = -1;
    QPoint press_at_;
};

}  // namespace tarvel::controls
