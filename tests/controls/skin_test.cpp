#include <gtest/gtest.h>
#include <QPainter>
#include <cmath>

#include "controls/jpeg_image.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
#include "controls/skin_loader.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/system/fake_system_services.h"
#include "support/temp_dir.h"

namespace tarvel::controls {
namespace {

using testing::TempDir;

QImage TestPicture() {
    QImage image(31, 31, QImage::Format_RGB32);
    image.fill(qRgb(0xB4, 0x5D, 0x62));
    QPainter p(&image);
    p.fillRect(8, 8, 15, 15, Qt::white);
    return image;
}

TEST(Jpeg, RoundTripKeepsThePicture) {
    const QImage decoded = DecodeJpeg(EncodeJpeg(TestPicture(), 95), "mem");
    ASSERT_EQ(decoded.size(), QSize(31, 31));
    const QRgb rose = decoded.pixel(2, 2);
    EXPECT_NEAR(qRed(rose), 0xB4, 3);
    EXPECT_NEAR(qGreen(rose), 0x5D, 3);
    EXPECT_NEAR(qBlue(rose), 0x62, 3);
    EXPECT_GT(qGreen(decoded.pixel(15, 15)), 245);
}

// A header that claims a huge picture: the frame header's height and width set to 60000.
std::string Oversized(std::string jpeg) {
    const std::size_t sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 5] = jpeg[sof + 7] = static_cast<char>(0xEA);
    jpeg[sof + 6] = jpeg[sof + 8] = static_cast<char>(0x60);
    return jpeg;
}

TEST(Jpeg, DamagedInputIsAnErrorNamingTheFile) {
    const std::string good = EncodeJpeg(TestPicture(), 90);
    const std::string cases[] = {"", "not a picture at all", good.substr(0, good.size() / 2),
                                 good.substr(0, 20), Oversized(good)};
    for (const std::string& bytes : cases) {
        try {
            DecodeJpeg(bytes, "skin/x.jpg");
            ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
        } catch (const AppError& e) {
            EXPECT_NE(std::string(e.what()).find("skin/x.jpg"), std::string::npos) << e.what();
        }
    }
    try {
        DecodeJpeg(Oversized(good), "big.jpg");
    } catch (const AppError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
}

TEST(SkinFiles, NamesMapUnderPictures) {
    EXPECT_EQ(PicturesRelative("\\play\\play1.jpg"), "play/play1.jpg");
    EXPECT_EQ(PicturesRelative(kArtHeading), "art_alb_song_pls/art.jpg");
    EXPECT_EQ(SkinFilePath("/app", "\\Stop\\Stop1.jpg"), "/app/Pictures/Stop/Stop1.jpg");
    const std::vector<std::string> files = AllSkinFiles();
    EXPECT_EQ(std::count(files.begin(), files.end(), "verhnieknopki/x1.jpg"), 1);
}

// A window with a play button and a close button, the way the windows name their controls.
struct Window {
    Window() {
        play->setObjectName("ImgPlayPause");
        close->setObjectName("ImgClose");
    }
    QWidget widget;
    TMegaImage* play = new TMegaImage(&widget);
    TMegaImage* close = new TMegaImage(&widget);
};

TEST(SkinLoader, FillsSlotsAndShowsPictureOne) {
    TempDir app;
    for (const char* name :
         {"play/play1.jpg", "play/play2.jpg", "play/play3.jpg", "play/Pause1.jpg",
          "play/Pause2.jpg", "play/Pause3.jpg", "verhnieknopki/x1.jpg", "verhnieknopki/x2.jpg"}) {
        SaveJpeg(TestPicture(), app / ("Pictures/" + std::string(name)), 90);
    }
    Window window;
    LoadWindowSkin(window.widget, "TForm1", app.path());
    for (int k = 1; k <= 6; ++k)
        EXPECT_TRUE(window.play->HasPicture(k)) << k;
    EXPECT_EQ(window.play->ShownSlot(), 1);
    EXPECT_TRUE(window.close->HasPicture(2));
    EXPECT_FALSE(window.close->HasPicture(3));
}

TEST(SkinLoader, FindsFilesWhateverTheLetterCase) {
    TempDir app;
    SaveJpeg(TestPicture(), app / "pictures/PLAY/Play1.JPG", 90);
    EXPECT_EQ(SkinFilePath(app.path(), "\\play\\play1.jpg"), app / "pictures/PLAY/Play1.JPG");
    EXPECT_EQ(LoadSkinPicture(app.path(), "\\play\\play1.jpg").size(), QSize(31, 31));
}

TEST(SkinLoader, MissingFileIsReportedWithItsPathAndTheRunGoesOn) {
    TempDir app;
    Window window;
    system::FakeSystemServices services;
    system::RunReported(services, [&] { LoadWindowSkin(window.widget, "TForm1", app.path()); });
    ASSERT_EQ(services.Calls().size(), 1u);
    const std::string& call = services.Calls()[0];
    EXPECT_NE(call.find("MessageBox"), std::string::npos);
    EXPECT_NE(call.find(app / "Pictures/play/play1.jpg"), std::string::npos) << call;
    EXPECT_FALSE(window.play->HasPicture(1));
}

// The build writes every picture the windows load; each decodes at a sensible size.
TEST(SkinPictures, BuildWroteEveryPicture) {
    const std::string dist = TARVEL_DIST_DIR;
    for (const std::string& file : AllSkinFiles()) {
        SCOPED_TRACE(file);
        const QImage image = LoadSkinPicture(dist, "\\" + file);
        EXPECT_GE(image.width(), 4);
        EXPECT_GE(image.height(), 10);
    }
    const QImage play = LoadSkinPicture(dist, "\\play\\play1.jpg");
    EXPECT_EQ(play.size(), QSize(31, 31));
    const QImage mark = LoadSkinPicture(dist, "\\forms\\TForm1\\imgPl.bmp");
    EXPECT_EQ(mark.size(), QSize(16, 17));
    EXPECT_EQ(mark.pixel(0, 0), qRgb(255, 0, 0));  // the transparent key survives exactly
}

// The slider left of the equalizer's bands moves band 16: the label under it reads as band 16's
// does. The two labels stand at different places of the JPEG's 8 x 8 blocks, so they are
// compared by their mean difference: nearer to each other than band 15's label ("14k", one
// digit apart) is to band 16's.
TEST(SkinPictures, TheEqualizersLeftSliderIsLabelledAsBand16) {
    const QImage background = LoadSkinPicture(TARVEL_DIST_DIR, "\\eq\\eqforma.jpg");
    ASSERT_EQ(background.size(), QSize(351, 158));
    const auto label = [&](int slider_x) {
        return background.copy(QRect(slider_x + 5 - 10, 143, 20, 11))
            .convertToFormat(QImage::Format_Grayscale8);
    };
    const auto difference = [](const QImage& a, const QImage& b) {
        double sum = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
            }
        }
        return sum / (a.width() * a.height());
    };
    const QImage left = label(22);
    const QImage band16 = label(52 + 18 * 15);
    const QImage band15 = label(52 + 18 * 14);
    EXPECT_LT(difference(left, band16), difference(band15, band16))
        << difference(left, band16) << " against " << difference(band15, band16);
}

}  // namespace
}  // namespace tarvel::controls
