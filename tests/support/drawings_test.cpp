#include "core/install_folder.h"
#include "support/ui/form_support.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The pixels of an image that are drawn at all.
int drawnPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

// Our own drawings stand in wherever the desktop's theme lacks a picture, at any scale.
TEST(SupportDrawings, EveryDrawingRendersAtEachSizeAndScale)
{
    lw::setInstallFolderOverride(QStringLiteral(LW_DATA_DIR));
    QWidget widget;
    const QStringList drawings = QDir(QStringLiteral(LW_DATA_DIR "/graphics")).entryList({u"*.svg"_s});
    EXPECT_GE(drawings.size(), 25);
    for (const QString& file : drawings) {
        const QIcon icon = lw::drawingIcon(QFileInfo(file).baseName(), &widget);
        ASSERT_FALSE(icon.isNull()) << file.toStdString();
        // Qt's own SVG icon engine (a plugin, which the window icon needs) reads it too.
        EXPECT_FALSE(QIcon(QStringLiteral(LW_DATA_DIR "/graphics/") + file).pixmap(32).isNull())
            << file.toStdString();
        for (const int size : {16, 24, 48})
            for (const qreal scale : {1.0, 1.25, 2.0}) {
                const QImage image = icon.pixmap(QSize(size, size), scale).toImage();
                EXPECT_EQ(image.width(), qRound(size * scale)) << file.toStdString();
                EXPECT_GT(drawnPixels(image), size) << file.toStdString() << " at " << size;
            }
    }
    lw::setInstallFolderOverride({});
}

TEST(SupportDrawings, LinesDrawnInTheTextColourFollowThePalette)
{
    lw::setInstallFolderOverride(QStringLiteral(LW_DATA_DIR));
    QWidget widget;
    for (const QColor text : {QColor(0x20, 0x20, 0x20), QColor(0xF0, 0xF0, 0xF0)}) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::ButtonText, text);
        widget.setPalette(palette);
        const QImage image = lw::drawingIcon(u"AlignLeft"_s, &widget).pixmap(48).toImage();
        // The top line runs across the middle of the picture.
        EXPECT_EQ(image.pixelColor(24, 10).rgb(), text.rgb()) << text.name().toStdString();
    }
    lw::setInstallFolderOverride({});
}

TEST(SupportDrawings, SwatchCaptionsAndFramesStayLegibleOnEveryColour)
{
    const struct
    {
        qint64 value; // 0x00BBGGRR
        const char16_t* background;
        const char16_t* text;
    } cases[] = {
        {0xFFFFFF, u"#FFFFFF", u"#000000"}, {0x000000, u"#000000", u"#FFFFFF"},
        {0x00FFFF, u"#FFFF00", u"#000000"}, {0x800000, u"#000080", u"#FFFFFF"},
        {0xFFF9EC, u"#ECF9FF", u"#000000"}, {0x9B4E00, u"#004E9B", u"#FFFFFF"},
    };
    for (const auto& c : cases) {
        const QString style = lw::swatchStyle(c.value);
        EXPECT_TRUE(style.startsWith(u"background-color: "_s + QStringView(c.background)))
            << style.toStdString();
        EXPECT_TRUE(style.contains(u"; color: "_s + QStringView(c.text))) << style.toStdString();

        // A colour button's face is the colour it sets.
        QPushButton button;
        button.resize(40, 24);
        lw::showButtonColor(&button, c.value);
        const QImage face = button.icon().pixmap(button.iconSize()).toImage();
        EXPECT_EQ(face.pixelColor(face.width() / 2, face.height() / 2).name().toUpper(),
                  QStringView(c.background))
            << style.toStdString();
    }
}

} // namespace
