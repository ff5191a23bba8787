// The generator: the fuzz bytes as both the template and the ad's description.
#include "core/text_file.h"
#include "generator/convert.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = lw::decodeText(bytes);
    lw::GeneratorInput in;
    in.installFolder = u"/opt/listwright"_s;
    in.templateText = text;
    in.ad.description = text;
    in.ad.title = u"Brass lamp"_s;
    in.ad.includeOptional = size % 2 == 0;
    in.prefs.showCalc = size % 3 == 0;
    in.preview = size % 5 == 0;
    const lw::GeneratorResult result = lw::expandTemplate(in);
    if (result.ok == !result.error.isEmpty())
        std::abort();
    return 0;
}
