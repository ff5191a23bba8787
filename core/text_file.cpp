#include "core/text_file.h"

#include "core/file_writer.h"

#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Code points of 0x80..0x9F in Windows-1252; the five unassigned bytes map to
// themselves so that every byte survives a round trip.
constexpr char16_t HighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar fromWindows1252(int code)
{
    if (code >= 0x80 && code < 0xA0)
        return QChar(HighControls[code - 0x80]);
    return QChar(char16_t(code & 0xFF));
}

int windows1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == u)
            return 0x80 + i;
    return -1;
}

bool fitsWindows1252(const QString& text)
{
    for (QChar c : text)
        if (windows1252Code(c) < 0)
            return false;
    return true;
}

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    text.clear();
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(fromWindows1252(static_cast<unsigned char>(b)));
    return text;
}

QByteArray encodeText(const QString& text)
{
    if (!fitsWindows1252(text))
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size());
    bool high = false;
    for (QChar c : text) {
        const int code = windows1252Code(c);
        high = high || code >= 0x80;
        out.append(static_cast<char>(code));
    }
    // Windows-1252 bytes that happen to form valid UTF-8 ("É®" is C9 AE) would be
    // read back as UTF-8; such a text is written as UTF-8 instead.
    if (high) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8.decode(out);
        if (!utf8.hasError())
            return text.toUtf8();
    }
    return out;
}

std::optional<QString> readTextFile(const QString& path, QString* error, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > maxBytes) {
        if (error)
            *error = u"The file is too large."_s;
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError) {
        if (error)
            *error = bytes.size() > maxBytes ? u"The file is too large."_s : file.errorString();
        return std::nullopt;
    }
    return decodeText(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = n;
        qsizetype stop = end;
        if (stop > start && text.at(stop - 1) == u'\r')
            --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

TextReadResult readTextLines(const QString& path, qint64 maxBytes)
{
    TextReadResult result;
    const auto text = readTextFile(path, &result.error, maxBytes);
    if (!text)
        return result;
    result.ok = true;
    result.lines = splitLines(*text);
    return result;
}

bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error, bool privateFile)
{
    return writeFile(path, bytes, {privateFile, false}, error);
}

bool writeTextLines(const QString& path, const QStringList& lines, QString* error, bool privateFile)
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return writeFileAtomic(path, encodeText(text), error, privateFile);
}

QString numberText(qint64 value)
{
    if (value < 0)
        return QString::number(value) + u' ';
    return u' ' + QString::number(value) + u' ';
}

std::optional<qint64> parseNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 20)
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (ok)
        return v;
    // Whole numbers written with a decimal point ("5.0") still count.
    const double d = t.toDouble(&ok);
    if (ok && d >= -9.0e15 && d <= 9.0e15 && isNumber(t))
        return static_cast<qint64>(d >= 0 ? d + 0.5 : d - 0.5);
    return std::nullopt;
}

QString flagText(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

std::optional<bool> parseFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(u"True"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"False"_s, Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

bool isNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

} // namespace lw
