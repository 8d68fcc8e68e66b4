#include <gtest/gtest.h>

#include <QPainter>
#include <string>
#include <vector>

#include "controls/bar_look.h"
#include "skin_checks.h"
#include "skin_style.h"

namespace tarvel::skin {
namespace {

using Kind = LayoutItem::Kind;

const QColor kGraphite(0x1d, 0x1f, 0x26);
const QColor kStrip(0xB4, 0x5D, 0x62);

// A 60 x 40 equalizer background: graphite with a rim on its edge and a rose strip on top.
QImage Background() {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(kGraphite);
    QPainter p(&image);
    p.fillRect(1, 1, 58, 16, kStrip);
    p.setPen(kRim);
    p.drawRect(0, 0, 59, 39);
    return image;
}

// A 20 x 10 button on a ground, with a white mark in its middle.
QImage Button(const QColor& ground, QSize size = {20, 10}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(ground);
    QPainter(&image).fillRect(8, 3, 4, 4, Qt::white);
    return image;
}

WindowLayout Window(QRect region, std::vector<LayoutItem> more = {}) {
    WindowLayout layout{"TEqualizer",
                        {60, 40},
                        region,
                        {{Kind::Backdrop, "ImgFonEq", {0, 0, 60, 40}},
                         {Kind::Control, "ImgEnabled", {10, 4, 20, 10}}}};
    layout.items.insert(layout.items.end(), more.begin(), more.end());
    return layout;
}

bool Mentions(const std::vector<std::string>& faults, const std::string& part) {
    for (const std::string& fault : faults) {
        if (fault.find(part) != std::string::npos)
            return true;
    }
    return false;
}

TEST(SkinChecks, FindGroundsThatDoNotMatchHiddenInkMissingRimsAndWrongSizes) {
    const QRect whole(0, 0, 60, 40);
    struct Case {
        const char* what;
        QImage second;  // eq/Enabled2.jpg; eq/Enabled.jpg is always right
        WindowLayout layout;
        std::vector<std::string> faults;  // a part of each expected line
    };
    const Case cases[] = {
        {"both pictures on the strip's ground", Button(kStrip), Window(whole), {}},
        {"a graphite box in the rose strip",
         Button(kGraphite),
         Window(whole),
         {"eq/Enabled2.jpg corner (0, 0)", "eq/Enabled2.jpg corner (19, 0)",
          "eq/Enabled2.jpg corner (0, 9)", "eq/Enabled2.jpg corner (19, 9)"}},
        {"a neighbour covering the mark",
         Button(kStrip),
         Window(whole, {{Kind::Painted, "Label3", {20, 4, 10, 10}, kStrip}}),
         {"eq/Enabled.jpg draws 8 pixels under a later control, the first at (10, 3)",
          "eq/Enabled2.jpg draws 8 pixels"}},
        {"a neighbour covering only ground",
         Button(kStrip),
         Window(whole, {{Kind::Painted, "Label3", {10, 4, 3, 10}, kStrip}}),
         {}},
        {"an outline that cuts the rim away",
         Button(kStrip),
         Window(QRect(3, 2, 54, 36)),
         {"no rim inside the outline's top edge", "no rim inside the outline's left edge",
          "no rim inside the outline's right edge", "no rim inside the outline's bottom edge"}},
        {"a picture not of the control's size",
         Button(kStrip, {21, 10}),
         Window(whole),
         {"eq/Enabled2.jpg is 21 x 10, the control 20 x 10"}},
    };
    for (const Case& c : cases) {
        const PictureMap pictures = {{"eq/eqforma.jpg", Background()},
                                     {"eq/Enabled.jpg", Button(kStrip)},
                                     {"eq/Enabled2.jpg", c.second}};
        const std::vector<std::string> faults = CheckWindow(c.layout, pictures, kRim);
        EXPECT_EQ(faults.size(), c.faults.size()) << c.what;
        for (const std::string& part : c.faults)
            EXPECT_TRUE(Mentions(faults, part)) << c.what << ": " << part;
    }
}

TEST(SkinChecks, ArrowContrastOnTheBarBody) {
    EXPECT_NEAR(controls::ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(controls::ContrastRatio(kStrip, kStrip), 1.0, 1e-9);
    EXPECT_LT(controls::ContrastRatio(Qt::black, QColor(0x26, 0x29, 0x32)), 1.5);
    EXPECT_EQ(CheckArrowContrast(QColor(0x26, 0x29, 0x32)).size(), 1u);  // the old graphite body
    EXPECT_GE(controls::ContrastRatio(Qt::black, controls::MainBarLook().body), 4.5);
    EXPECT_TRUE(CheckArrowContrast(controls::MainBarLook().body).empty());
}

}  // namespace
}  // namespace tarvel::skin
