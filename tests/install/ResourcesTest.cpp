#include "shell/ToolBarImages.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QImage>

// Images that fail to load give blank buttons and a generic window icon, with no error anywhere.
TEST(CompiledImages, ButtonImagesLoad) {
    qtApp();
    for (const QIcon& icon : {singleImage(), startImage(), stopImage()}) {
        EXPECT_FALSE(icon.isNull());
        EXPECT_FALSE(icon.pixmap(48, 48).isNull());
    }
}

TEST(CompiledImages, ProgramIconHasEveryThemeSize) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage image(QStringLiteral(":/halvane/halvane-%1.png").arg(size));
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
    }
}
