#pragma once

#include "generator/generator_input.h"

#include <QString>

#include <array>

namespace lw {

// The fixed effect fragments: marquee tags and the page extras for the given music address.
std::array<QString, 4> buildMarqueeTags();
std::array<QString, 2> buildPageExtras(const QString& musicUrl);
QString noRightClickScript();

// The picture of slot k (0 to 9), linked to itself and named after the title.
QString pictureBlock(const QString& address, int slot, const GeneratorInput& in);
// The address a picture slot links to: the text as typed in local mode, the
// web picture folder and the file's name in web mode.
QString pictureAddress(const QString& slotText, bool webMode, const QString& webUrl);
// The name a picture has on the web: after the last "\" or, for a local path, the last "/".
QString pictureFileName(const QString& slotText);
QString emailLink(const QString& email);
QString websiteLink(const QString& website);
// Empty for an index outside the five sites.
QString otherAuctionsLink(int site, const QString& auctionId, const Hosts& hosts);
QString aboutMeLink(const QString& auctionId, const Hosts& hosts);
QString footerLink(const Hosts& hosts);

QString uspsForm(const GeneratorInput& in, const QString& logoFolder);
QString upsForm(const GeneratorInput& in, const QString& logoFolder);

} // namespace lw
