#pragma once

#include "generator/generator_input.h"

#include <QStringList>

namespace lw {

inline constexpr int MaxTemplateChars = 32767;
inline constexpr int MaxTokens = 150;
// Far beyond any auction description, short of exhausting memory.
inline constexpr qsizetype MaxPageChars = 16 * 1024 * 1024;

struct TokenList
{
    bool ok = false;
    QStringList tokens;      // placeholders, "[" and "]" in page order
    QString optionalSection; // the last bracket pair with its content
    QString error;
};

TokenList buildTokenList(const QString& page);

// Fills the template of the input from the ad: letter-image and emoticon codes,
// placeholders, blocks and forms. Pure: reads only its input.
GeneratorResult expandTemplate(const GeneratorInput& in);

// Source marks: characters of the private use area that no page needs. A mark opens with
// SourceOpen and a code (SourceCodeBase + source * 16 + slot index) and closes with SourceClose.
inline constexpr char16_t SourceOpen = 0xE000;
inline constexpr char16_t SourceClose = 0xE001;
inline constexpr char16_t SourceCodeBase = 0xE100;
QString markSource(PageSource source, int index, const QString& value);

// The folder below the seller's web picture address that holds the emoticon, letter and carrier
// pictures of an uploaded ad, so that the ad depends on no server but the seller's.
inline constexpr auto CodePictureFolder = "listwright";
// Whether the page links its pictures under the seller's web picture address (they are uploaded).
bool uploadsPictures(const GeneratorInput& in);
// The pictures of the installation the page shows (emoticons, letters, carrier logos), as paths
// relative to the installation folder, each once, in page order.
QStringList codePicturesUsed(const GeneratorInput& in);

} // namespace lw
