#pragma once

#include "core/text_file.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <filesystem>

namespace lw::test {

struct DamagedInput
{
    const char* name;
    QByteArray bytes;
};

// Broken files every reader must survive, built around a valid file of the kind:
// the copy above the size cap would be accepted if the cap were not applied.
inline QList<DamagedInput> damagedInputs(const QByteArray& valid)
{
    QRandomGenerator rng(20240611);
    QByteArray binary(8192, '\0');
    for (char& c : binary)
        c = static_cast<char>(rng.bounded(256));
    binary[3] = '\0';
    binary[10] = '\xFF';
    QByteArray longLines;
    for (int i = 0; i < 60; ++i)
        longLines += QByteArray(100000, static_cast<char>('0' + i % 10)) + "\r\n";
    QByteArray huge = valid;
    while (huge.size() <= MaxDataFileBytes)
        huge += QByteArray(4096, 'x') + "\r\n";
    const qsizetype firstBreaks = valid.indexOf("\n", valid.indexOf("\n") + 1) + 1;
    return {{"empty", {}},
            {"short", valid.left(firstBreaks)},
            {"binary", binary},
            {"long lines", longLines},
            {"not numbers", QByteArray("abc\r\n").repeated(60)},
            {"above the size cap", huge}};
}

// The permission bits of a file, as in 0600.
inline int fileMode(const QString& path)
{
    std::error_code ec;
    return static_cast<int>(std::filesystem::status(path.toStdString(), ec).permissions() &
                            std::filesystem::perms::mask);
}

} // namespace lw::test
