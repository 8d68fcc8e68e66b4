#include "skin_style.h"

namespace tarvel::skin {

QFont SkinFont(int pixel_size, bool bold, bool condensed) {
    QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace tarvel::skin
