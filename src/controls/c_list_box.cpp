#include "controls/c_list_box.h"

#include <algorithm>

#include <QAbstractListModel>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tarvel::controls {

// The items of a list: texts kept in the list, or a count and a function naming each on demand.
class ListItems : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        if (parent.isValid()) {
            return 0;
        }
        return source_ ? source_count_ : static_cast<int>(kept_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        return Text(index.row());
    }
    QString Text(int row) const { return source_ ? source_(row) : kept_.at(row); }

    void Reset(QStringList kept) {
        beginResetModel();
        source_ = nullptr;
        source_count_ = 0;
        kept_ = std::move(kept);
        endResetModel();
    }
    void SetSource(int count, std::function<QString(int)> text) {
        beginResetModel();
        kept_.clear();
        source_ = std::move(text);
        source_count_ = source_ ? std::max(count, 0) : 0;
        endResetModel();
    }
    void Append(const QStringList& texts) {
        if (source_) {
            Reset({});
        }
        if (texts.isEmpty()) {
            return;
        }
        const int first = static_cast<int>(kept_.size());
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(texts.size()) - 1);
        kept_.append(texts);
        endInsertRows();
    }
    void Remove(int row) {
        if (source_ || row < 0 || row >= kept_.size()) {
            return;
        }
        beginRemoveRows(QModelIndex(), row, row);
        kept_.removeAt(row);
        endRemoveRows();
    }
    void SetText(int row, const QString& text) {
        if (source_ || row < 0 || row >= kept_.size()) {
            return;
        }
        kept_[row] = text;
        emit dataChanged(index(row), index(row));
    }

  private:
    QStringList kept_;
    std::function<QString(int)> source_;
    int source_count_ = 0;
};

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

TCListBox::TCListBox(QWidget* parent) : QListView(parent), items_(new ListItems(this)) {
    setModel(items_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
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

void TCListBox::clear() {
    items_->Reset({});
}

void TCListBox::addItem(const QString& text) {
    items_->Append({text});
}

void TCListBox::addItems(const QStringList& texts) {
    items_->Append(texts);
}

void TCListBox::SetItemText(int index, const QString& text) {
    items_->SetText(index, text);
}

void TCListBox::RemoveItem(int index) {
    items_->Remove(index);
}

void TCListBox::SetItemSource(int count, std::function<QString(int)> text) {
    items_->SetSource(count, std::move(text));
}

int TCListBox::count() const {
    return items_->rowCount();
}

QString TCListBox::ItemText(int index) const {
    return index >= 0 && index < count() ? items_->Text(index) : QString();
}

int TCListBox::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void TCListBox::setCurrentRow(int row) {
    if (row < 0 || row >= count()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    setCurrentIndex(items_->index(row));
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
    QListView::keyPressEvent(event);
}

void TCListBox::mousePressEvent(QMouseEvent* event) {
    viewport()->update();
    press_at_ = event->position().toPoint();
    drag_item_ = event->button() == Qt::LeftButton ? indexAt(press_at_).row() : -1;
    QListView::mousePressEvent(event);
}

void TCListBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit PointerOverItem(indexAt(at).row());
    if (drag_item_ >= 0 && (event->buttons() & Qt::LeftButton) &&
        (at - press_at_).manhattanLength() >= QApplication::startDragDistance()) {
        const int item = drag_item_;
        drag_item_ = -1;
        emit RowDragStarted(item);
        return;
    }
    QListView::mouseMoveEvent(event);
}

void TCListBox::mouseReleaseEvent(QMouseEvent* event) {
    drag_item_ = -1;
    QListView::mouseReleaseEvent(event);
}

bool TCListBox::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        emit HintWanted(indexAt(static_cast<QHelpEvent*>(event)->pos()).row());
        return true;
    }
    return QListView::viewportEvent(event);
}

}  // namespace tarvel::controls
