#include "core/install_folder.h"
#include "support/ui/form_support.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Our own drawings stand in wherever the desktop's theme lacks a picture, sharp at any scale;
// lines drawn in "currentColor" take the text colour of a light or dark palette.
TEST(SupportDrawings, EveryDrawingRendersAtEachScaleAndLinesFollowThePalette)
{
    lw::setInstallFolderOverride(QStringLiteral(LW_DATA_DIR));
    QWidget widget;
    const QStringList drawings = QDir(QStringLiteral(LW_DATA_DIR "/graphics")).entryList({u"*.svg"_s});
    EXPECT_GE(drawings.size(), 26);
    for (const QString& file : drawings) {
        const QIcon icon = lw::drawingIcon(QFileInfo(file).baseName(), &widget);
        for (const qreal scale : {1.0, 1.25, 2.0}) {
            const QImage image = icon.pixmap(QSize(24, 24), scale).toImage();
            EXPECT_EQ(image.width(), qRound(24 * scale)) << file.toStdString();
            QImage blank(image.size(), image.format());
            blank.fill(Qt::transparent);
            EXPECT_NE(image, blank) << file.toStdString();
        }
        // Qt's own SVG icon engine (a plugin, which the window icon needs) reads it too.
        EXPECT_FALSE(QIcon(QStringLiteral(LW_DATA_DIR "/graphics/") + file).pixmap(32).isNull())
            << file.toStdString();
    }
    for (const QColor text : {QColor(0x20, 0x20, 0x20), QColor(0xF0, 0xF0, 0xF0)}) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::ButtonText, text);
        widget.setPalette(palette);
        // The top line of the left-aligned lines runs across the middle.
        const QImage image = lw::drawingIcon(u"AlignLeft"_s, &widget).pixmap(48).toImage();
        EXPECT_EQ(image.pixelColor(24, 10).rgb(), text.rgb()) << text.name().toStdString();
    }
    lw::setInstallFolderOverride({});
}

TEST(SupportDrawings, SwatchCaptionsAndColourButtonsStayLegibleOnEveryColour)
{
    const struct
    {
        qint64 value; // 0x00BBGGRR
        const char16_t* background;
        const char16_t* text;
    } cases[] = {
        {0xFFFFFF, u"#FFFFFF", u"#000000"},
        {0x00FFFF, u"#FFFF00", u"#000000"},
        {0x800000, u"#000080", u"#FFFFFF"},
        {0x9B4E00, u"#004E9B", u"#FFFFFF"},
    };
    for (const auto& c : cases) {
        const QString style = lw::swatchStyle(c.value);
        EXPECT_TRUE(style.startsWith(u"background-color: "_s + QStringView(c.background)) &&
                    style.contains(u"; color: "_s + QStringView(c.text)))
            << style.toStdString();
        QPushButton button;
        button.resize(40, 24);
        lw::showButtonColor(&button, c.value);
        const QImage face = button.icon().pixmap(button.iconSize()).toImage();
        EXPECT_EQ(face.pixelColor(face.width() / 2, face.height() / 2).name().toUpper(),
                  QStringView(c.background));
    }
}

} // namespace
