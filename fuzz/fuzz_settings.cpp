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
    const lw::SettingsParse first = lw::parseSettings(lw::splitLines(lw::decodeText(bytes)), install);
    const lw::SettingsRecord& r = first.record;
    if (r.auctionSite < 0 || r.auctionSite > 4 || r.font < 0 || r.font > 4 || r.termsSize < 1 ||
        r.termsSize > 7 || r.templateIndex < 0)
        std::abort();
    const QStringList lines = r.toLines();
    const lw::SettingsParse second = lw::parseSettings(lines, install);
    if (lines.size() != lw::SettingsLineCount || !second.badLines.isEmpty() ||
        second.record.toLines() != lines)
        std::abort();
    return 0;
}
