#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "controls/mega_image_rules.h"

namespace tarvel::controls {

// A skin picture and skin button: up to six state pictures, one shown at a time. With
// ChangePictures the mouse switches between the rest, hover and pressed pictures of the active
// set; a release inside gives OnClick, and a double click gives one OnClick, not two.
//
// While a button is held the control keeps the mouse and Qt holds back enter and leave until the
// release. The control follows the pointer itself instead: leaving or re-entering while the
// button is held is an enter or a leave at that moment, and the leave Qt sends after the release
// is then already done. So press, drag out and release ends on the resting picture.
class TMegaImage : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSlots = 6;

    explicit TMegaImage(QWidget* parent = nullptr);

    // Slot k (1..6). An empty image empties the slot.
    void SetPicture(int k, const QImage& picture);
    const QImage& Picture(int k) const;
    bool HasPicture(int k) const;
    // Shows slot k as the current picture (an empty slot shows nothing).
    void ShowPicture(int k);
    // The slot shown last, 0 before any.
    int ShownSlot() const { return shown_; }
    const QImage& Shown() const { return current_; }

    bool ChangePictures() const { return change_pictures_; }
    void SetChangePictures(bool change) { change_pictures_ = change; }
    int AddToNom() const { return state_.add_to_nom; }
    void SetAddToNom(int offset) { state_.add_to_nom = offset; }
    int NomPicRealVid() const { return state_.nom_pic_real_vid; }
    void SetNomPicRealVid(int state) { state_.nom_pic_real_vid = state; }
    // Stretched pictures fill the control; otherwise they are drawn at natural size.
    void SetStretch(bool stretch);
    // An auto-sized control takes the size of each picture it shows.
    void SetAutoSize(bool auto_size);

  signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();
    void OnMouseDown(QMouseEvent* event);
    void OnMouseUp(QMouseEvent* event);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void Apply(MegaImageEvent event);
    void PointerEntered();
    void PointerLeft();

    std::array<QImage, kSlots> pictures_;
    MegaImageState state_;
    QImage current_;
    int shown_ = 0;
    bool change_pictures_ = false;
    bool stretch_ = true;
    bool auto_size_ = false;
    bool pressed_ = false;  // a left press that a release inside turns into a click
    bool inside_ = false;   // the pointer is over the control, as enter and leave last said
};

}  // namespace tarvel::controls
