// Ad files: whatever parseAdFile accepts must write back to lines it reads the same way.
#include "adfile/ad_file.h"
#include "core/text_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const lw::AdFileRead read = lw::parseAdFile(lw::splitLines(lw::decodeText(bytes)));
    if (read.data.has_value() == !read.error.isEmpty())
        std::abort(); // exactly one of data and error
    if (read.data) {
        const QStringList lines = read.data->toLines();
        const lw::AdFileRead again = lw::parseAdFile(lines);
        if (lines.size() != 55 || !again.data || again.data->toLines() != lines)
            std::abort();
    }
    return 0;
}
