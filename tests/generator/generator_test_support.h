#pragma once

#include "generator/blocks.h"
#include "generator/convert.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace lw::test {

inline const QString InstallDir = QStringLiteral("/opt/lw");

// An input for the given template with the program's own fixed fragments and every switch off.
inline GeneratorInput inputFor(const QString& templateText)
{
    GeneratorInput in;
    in.templateText = templateText;
    in.installFolder = InstallDir;
    in.marqueeTags = buildMarqueeTags();
    in.pageExtras = buildPageExtras(QStringLiteral("http://music.example/song.mid"));
    return in;
}

// The filled page; a failed generation fails the test.
inline QString generate(const GeneratorInput& in)
{
    const GeneratorResult r = expandTemplate(in);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return r.page;
}

} // namespace lw::test
