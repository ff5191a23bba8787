#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace lw {

// The line-oriented data files of the program: one value per line, CR LF on
// writing, CR LF or LF accepted on reading.
struct TextReadResult
{
    bool ok = false;
    QStringList lines;
    QString error;
};

// Files larger than this are refused rather than read: no data file of the
// program comes anywhere near it, and a stray huge file must not eat memory.
inline constexpr qint64 MaxDataFileBytes = 16 * 1024 * 1024;

QString decodeText(const QByteArray& bytes);
// Windows-1252 when every character fits, else UTF-8, so no typed character is lost.
QByteArray encodeText(const QString& text);
bool fitsWindows1252(const QString& text);
// The code of a character in Windows-1252, or -1 when it has none.
int windows1252Code(QChar c);
QChar fromWindows1252(int code);

std::optional<QString> readTextFile(const QString& path, QString* error = nullptr,
                                    qint64 maxBytes = MaxDataFileBytes);
TextReadResult readTextLines(const QString& path, qint64 maxBytes = MaxDataFileBytes);
QStringList splitLines(const QString& text);

// Through the one writer (core/file_writer.h); privateFile gives mode 0600. The error says why in
// the seller's words.
bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     bool privateFile = false);
bool writeTextLines(const QString& path, const QStringList& lines, QString* error = nullptr,
                    bool privateFile = false);

// " 5 ", "-1 ": the number form of the data files.
QString numberText(qint64 value);
// Numeric value with surrounding blanks ignored; nullopt when not a whole number.
std::optional<qint64> parseNumber(const QString& text);
QString flagText(bool value);
// "True"/"False" in any letter case.
std::optional<bool> parseFlag(const QString& text);
// Digits with an optional sign and decimal point, surrounding blanks ignored.
bool isNumber(const QString& text);

} // namespace lw
