#pragma once

#include <QRect>
#include <QString>

namespace lw {

// The thumbnail size of the picture window: two default pairs and the bounds
// of a size the seller types.
inline constexpr int DefaultThumbLong = 200;
inline constexpr int DefaultThumbShort = 150;
inline constexpr int MaxCustomThumbWidth = 640;
inline constexpr int MaxCustomThumbHeight = 480;

enum class ThumbOrientation
{
    Landscape,
    Portrait,
    Custom
};

// Only the width decides: 200 is landscape, 150 portrait, anything else custom.
ThumbOrientation orientationFromWidth(const QString& width);
// Whether the pair is one of the two defaults, 200 x 150 or 150 x 200.
bool isDefaultThumbSize(const QString& width, const QString& height);
// Both numbers, both above zero, at most 640 wide and 480 high.
bool validCustomSize(const QString& width, const QString& height);

struct ThumbSize
{
    QString width;
    QString height;
    bool operator==(const ThumbSize&) const = default;
};
ThumbSize defaultThumbSize(ThumbOrientation orientation);

// The orientation picture's place inside its frame, in twips; both rectangles
// share one centre, so the picture turns in place.
QRect orientationPictureTwips(ThumbOrientation orientation);
// The same in pixels (15 twips each).
QRect orientationPictureRect(ThumbOrientation orientation);

// The prompt texts of the custom size, showing the current value.
QString customWidthMessage(const QString& currentWidth);
QString customHeightMessage(const QString& currentHeight);

} // namespace lw
