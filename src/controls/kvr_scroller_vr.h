#pragma once

#include "controls/scroller_base.h"

namespace tarvel::controls {

// The vertical picture scroll bar beside every list and in the equalizer: no buttons, its band a
// stretched picture and its thumb a picture at natural size (the main window's ImgPalkaForSkroll
// and ImgSkroll). A band click steps by LargeChange. Code changes never raise OnChange.
class TKVRScrollerVr : public TKVRScrollerBase {
    Q_OBJECT
  public:
    explicit TKVRScrollerVr(QWidget* parent = nullptr);

    // The band picture (stretched) and the thumb picture (natural size).
    void SetPictures(const QImage& band, const QImage& thumb) {
        scroller_->SetPictures(band, thumb);
    }

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace tarvel::controls
