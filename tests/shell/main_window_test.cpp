#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "platform/system/fake_system_services.h"

namespace tarvel {
namespace {

TEST(MainWindow, IsABorderlessBlackWindowOfTheDesignSize) {
    system::FakeSystemServices services;
    TForm1 form(services, "/app");
    form.show();
    EXPECT_EQ(form.windowTitle(), "Tarvel");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(698, 619));
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(690, 610), QColor(Qt::black));

    QSignalSpy closed(&form, &TForm1::Closed);
    form.close();
    form.close();
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace tarvel
