// Template data files: any bytes parse; the look read back from them is a complete file.
#include "core/text_file.h"
#include "settings/template_data.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const lw::TemplateDataRead read = lw::parseTemplateData(lw::splitLines(lw::decodeText(bytes)));
    const lw::TemplateData& d = read.data;
    if (d.imageAmount < 0 || d.imageAmount > 10 || d.tableCount < 0 || d.tableCount > 4 ||
        d.termsSize.toInt() < 1 || d.termsSize.toInt() > 7)
        std::abort();
    const QStringList lines = lw::templateDataLines(d);
    const lw::TemplateDataRead again = lw::parseTemplateData(lines);
    if (lines.size() != 34 || !again.complete || lw::templateDataLines(again.data) != lines)
        std::abort();
    return 0;
}
