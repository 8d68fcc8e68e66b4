#include "windows/talik_window.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "controls/c_list_box.h"
#include "controls/hint_timing.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/skin_palette.h"
#include "platform/text/unicode.h"
#include "playlists/playlist_edit.h"
#include "windows/secondary_scaling.h"

namespace tarvel {
namespace {

using controls::SmallList;

constexpr QSize kClient(213, 291);
constexpr quint8 kThumbSize = 53;

// A row dragged out of any of the program's lists.
bool IsRowDrag(const QMimeData* data) {
    return data != nullptr && data->hasFormat(controls::kListRowFormat);
}

}  // namespace

TTalik::TTalik(const std::string& app_dir, const windows::Report& report, QWidget* parent)
    : SkinWindowOf(kClient,
                   windows::SmallPlaylistOutline(
                       controls::ToQRect(controls::RecordOf(SmallList::ImgFon).rect)),
                   Qt::WindowStaysOnTopHint | Qt::Tool, parent) {
    setWindowTitle("Talik");
    list_ = &ListBox(SmallList::ListBox6);
    controls::TCListBox& list = *list_;
    QFont font("MS Sans Serif");
    font.setPixelSize(10);
    list.setFont(font);
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, controls::palette::kList);
    palette.setColor(QPalette::Window, controls::palette::kList);
    palette.setColor(QPalette::Text, controls::palette::kListText);
    palette.setColor(QPalette::WindowText, controls::palette::kListText);
    // The selected row in the dark rose, as in the main window's lists.
    palette.setColor(QPalette::Highlight, controls::palette::kRoseDark);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    list.setPalette(palette);
    list.setMouseTracking(true);
    list.viewport()->setMouseTracking(true);
    list.viewport()->setAcceptDrops(true);
    list.viewport()->installEventFilter(this);
    list.installEventFilter(this);
    connect(&list, &controls::TCListBox::PointerOverItem, this, &TTalik::ListBox6MouseMove);
    connect(&list, &controls::TCListBox::RowDragStarted, this, [this] { StartDrag(); });
    connect(&list, &controls::TCListBox::HintWanted, this, [this] { ShowHint(); });
    controls::TKVRScrollerVr& bar = Bar();
    bar.SetMax(0);
    bar.SetThumbSize(kThumbSize);
    bar.SetColorThumb(controls::palette::kListThumb);
    LoadSkin(app_dir, report);
    // The wheel anywhere over the window scrolls the list.
    qApp->installEventFilter(this);
}

controls::TCListBox& TTalik::List() const {
    return *list_;
}

controls::TKVRScrollerVr& TTalik::Bar() const {
    return VerticalBar(SmallList::KVRScrollerVr6);
}

void TTalik::Scale(double scale_x) {
    windows::ControlRects rects;
    constexpr SmallList kScaled[] = {SmallList::ImgFon, SmallList::ListBox6,
                                     SmallList::KVRScrollerVr6};
    for (SmallList id : kScaled) {
        rects.emplace(controls::RecordOf(id).name, Control(id).geometry());
    }
    windows::ScaleSmallPlaylist(rects, scale_x);
    for (SmallList id : kScaled) {
        Control(id).setGeometry(rects.at(std::string(controls::RecordOf(id).name)));
    }
    SetOutline(windows::SmallPlaylistOutline(rects.at("ImgFon")));
    if (scale_x < 1.0) {
        List().setFont(QFont("Small Fonts", 7));
    }
}

void TTalik::ListBox6DblClick(int item) {
    if (item >= 0 && host_ != nullptr) {
        host_->PlayRow(item + 1);
    }
    hide();
}

bool TTalik::ListBox6KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    controls::TCListBox& list = List();
    const int item = list.currentRow();
    if (item < 0) {
        return false;
    }
    bool taken = false;
    if (key == Qt::Key_Delete) {
        if (host_ != nullptr) {
            host_->DeleteSong(item + 1);
        }
        list.setCurrentRow(playlists::SelectionAfterDelete(item, list.count()));
        taken = true;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ListBox6DblClick(item);
        taken = true;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        list.setCurrentRow(-1);
    }
    return taken;
}

void TTalik::ListBox6MouseMove(int item) {
    const int row = item >= 0 ? item + 1 : -1;
    if (row == hint_row_) {
        return;
    }
    hint_row_ = row;
    QToolTip::hideText();
    hint_text_ = row > 0 && host_ != nullptr ? host_->RowHint(row) : std::string();
}

void TTalik::ShowHint() {
    if (hint_row_ > 0 && !hint_text_.empty()) {
        controls::ShowListHint(List(), hint_row_ - 1, text::ToQString(hint_text_));
    } else {
        QToolTip::hideText();
    }
}

void TTalik::ListBox6DragEnter(int item) {
    drag_source_row_ = item >= 0 ? item + 1 : -1;
}

void TTalik::ListBox6DragDrop(int item) {
    if (host_ != nullptr) {
        host_->MoveRow(playlists::DropTarget(item, List().count()), drag_source_row_);
    }
}

void TTalik::FormMouseWheelDown() {
    ScrollBy(kWheelRows);
}

void TTalik::FormMouseWheelUp() {
    ScrollBy(-kWheelRows);
}

void TTalik::ScrollBy(int rows) {
    const int top = std::clamp(List().TopIndex() + rows, 0, std::max(Bar().Max(), 0));
    List().SetTopIndex(top);
    Bar().SetPosition(top);
}

int TTalik::ItemAt(const QPoint& point) const {
    return List().indexAt(point).row();
}

void TTalik::StartDrag() {
    auto* data = new QMimeData;
    data->setData(controls::kListRowFormat, QByteArray());
    auto* drag = new QDrag(List().viewport());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

bool TTalik::eventFilter(QObject* watched, QEvent* event) {
    const auto* widget = event->type() == QEvent::Wheel ? qobject_cast<QWidget*>(watched) : nullptr;
    if (widget != nullptr && widget->window() == this) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta < 0) {
            FormMouseWheelDown();
        } else if (delta > 0) {
            FormMouseWheelUp();
        }
        return true;
    }
    // Every event of the program passes here: only the list's are looked at further.
    controls::TCListBox& list = *list_;
    if (watched == &list && event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        return ListBox6KeyDown(key.key(), key.modifiers());
    }
    if (watched != list.viewport()) {
        return SkinWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonDblClick: {
            const auto& mouse = static_cast<const QMouseEvent&>(*event);
            ListBox6DblClick(ItemAt(mouse.position().toPoint()));
            return true;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            // The enter and move events are drop events too.
            auto& drag = static_cast<QDropEvent&>(*event);
            if (!IsRowDrag(drag.mimeData())) {
                return false;
            }
            const int item = ItemAt(drag.position().toPoint());
            if (event->type() == QEvent::DragEnter) {
                ListBox6DragEnter(item);
            } else if (event->type() == QEvent::Drop) {
                ListBox6DragDrop(item);
            }
            drag.acceptProposedAction();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tarvel
