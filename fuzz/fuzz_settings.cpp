// settings.txt: any bytes parse; what the program writes back parses cleanly to the same lines.
#include "core/text_file.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString install = u"/opt/listwright"_s;
    const lw::SettingsRead first = lw::parseSettings(lw::splitLines(lw::decodeText(bytes)), install);
    const lw::SettingsValues& v = first.values;
    if (v.prefs.auctionSite < 0 || v.prefs.auctionSite > 4 || v.prefs.font < 0 || v.prefs.font > 4 ||
        v.prefs.termsSize < 1 || v.prefs.termsSize > 7 || v.templateIndex < 0)
        std::abort();
    const QStringList lines = lw::settingsLines(v, install);
    const lw::SettingsRead second = lw::parseSettings(lines, install);
    if (lines.size() != 40 || !second.badLines.isEmpty() ||
        lw::settingsLines(second.values, install) != lines)
        std::abort();
    return 0;
}
