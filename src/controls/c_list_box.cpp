#include "controls/c_list_box.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tarvel::controls {
namespace {

class ItemDelegate : public QStyledItemDelegate {
  public:
    explicit ItemDelegate(TCListBox& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(1, TCListBox::kItemHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = list_.palette();
        const QRect r = option.rect;
        painter->fillRect(r, selected ? pal.highlight() : pal.base());
        const QColor font = selected ? pal.highlightedText().color() : pal.text().color();
        MarkState mark{list_.MarkedIndex(), list_.MarkColor(), list_.MarkMode()};
        const QImage& picture =
            list_.MarkMode() == QLatin1String("Pause") ? list_.PausePicture() : list_.PlayPicture();
        const ItemPlan plan = PlanItem(index.row(), selected, r, font, mark, picture.width());
        if (plan.picture != MarkPicture::None)
            painter->drawImage(plan.picture_at, picture);
        const QString text = index.data(Qt::DisplayRole).toString();
        painter->setPen(plan.font);
        painter->setFont(list_.font());
        switch (plan.placement) {
            case TextPlacement::TopLeft:
                painter->drawText(QRect(plan.text_at, r.bottomRight()),
                                  Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
                break;
            case TextPlacement::Centred2px:
                painter->drawText(QRect(plan.text_at, r.bottomRight()),
                                  Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
                break;
            case TextPlacement::None:
                break;
        }
    }

  private:
    TCListBox& list_;
};

}  // namespace

TCListBox::TCListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new ItemDelegate(*this));
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    LineColorSelected = QColor(0, 0, 0);
    FontSelectedColor = QColor(0, 0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TCListBox::TopIndexChanged);
}

void TCListBox::SetItemFont(int index, const QColor& color, const QColor& spare_color,
                            const QString& mode) {
    mark_.marked_index = index;
    mark_.mark_color = color;
    mark_.mark_mode = mode;
    mark_spare_color_ = spare_color;
}

void TCListBox::SetMarkPictures(const QImage& play, const QImage& pause) {
    play_ = RedToTransparent(play);
    pause_ = RedToTransparent(pause);
    viewport()->update();
}

int TCListBox::TopIndex() const {
    return verticalScrollBar()->value();
}

void TCListBox::SetTopIndex(int index) {
    // Items are laid out lazily; the scroll range must be known before the top row is set.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(index);
}

int TCListBox::VisibleRows() const {
    return viewport()->height() / kItemHeight;
}

void TCListBox::keyPressEvent(QKeyEvent* event) {
    viewport()->update();
    QListWidget::keyPressEvent(event);
}

void TCListBox::mousePressEvent(QMouseEvent* event) {
    viewport()->update();
    QListWidget::mousePressEvent(event);
}

}  // namespace tarvel::controls
