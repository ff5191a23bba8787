#pragma once

#include <QString>

namespace lw {

// Every CR LF becomes "<BR>"; a lone CR or LF stays.
QString lineBreaksToHtml(const QString& text);
// Every "<BR>" (exact upper case) becomes CR LF.
QString htmlBreaksToLines(const QString& text);
// The picture folder of letter images and emoticons.
QString imageFolder(bool preview, const QString& installFolder, const QString& webFolder);
// The folder of the carrier logos.
QString logoFolder(bool preview, const QString& installFolder, const QString& webFolder);
// "1" to "9" for the nine letter-image styles.
QString styleDigit(int letterStyle);
// Replaces every occurrence of token, left to right without overlaps, giving the same text as
// QString::replace; false when there is none (or the token is empty). Fast on long texts where
// the token's first character is rare. A spare string, when given, lends its buffer and gets
// the old text.
// maxSize >= 0: a result longer than that is not made; *tooLarge tells.
bool replaceEvery(QString& text, QStringView token, QStringView value, QString* spare = nullptr,
                  qsizetype maxSize = -1, bool* tooLarge = nullptr);
// Letter-image and emoticon codes to image tags, code by code in the fixed order; each tag says in
// its alternative text what the picture shows.
QString expandCodes(const QString& text, const QString& folder, const QString& digit);

} // namespace lw
