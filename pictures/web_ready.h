#pragma once

#include "pictures/picture_engine.h"

#include <QString>

namespace lw {

// The auction site keeps pictures up to 1600 px on their longest side and wants at least 500.
inline constexpr int DefaultLongestSide = 1600;
inline constexpr int MinimumLongestSide = 500;
inline constexpr int MaximumLongestSide = 4000;

// What goes up for one picture.
struct WebPlan
{
    // The seller's file goes as it is: a JPEG, PNG or GIF, upright, small enough, in 8-bit sRGB.
    // (Its metadata is still stripped on the way, losslessly.)
    bool asIs = true;
    WebCopySpec wanted;
    // The size sent, upright.
    int width = 0;
    int height = 0;
    // The name on the server, which the page links: the file's own, or with the extension of the
    // format it was turned into ("IMG_0042.HEIC" goes up as "IMG_0042.jpg").
    QString remoteName;
};

// JPEG for photographs; a picture with transparency stays PNG (GIF when it was one, or moves).
WebPlan webPlan(const PictureFacts& facts, const QString& fileName, int longestSide);

// The picture window's line for a picture: "4032×3024, 3.1 MB", followed by " → 1600×1200" when
// `prepared` and the plan makes a web copy; a warning instead when the picture cannot be used as
// it is (missing, unreadable, under 500 px on its longest side).
struct PictureNote
{
    QString text;
    bool warning = false;
};
PictureNote pictureNote(const PictureFacts& facts, bool exists, qint64 bytes, const WebPlan& plan,
                        bool prepared);

} // namespace lw
