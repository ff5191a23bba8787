#include "settings/own_settings.h"

#include "core/text_file.h"
#include "core/user_files.h"
#include "pictures/web_ready.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString FileName = u"listwright.ini"_s;
constexpr qint64 MaxBytes = 64 * 1024;

struct Key
{
    QString section, name;
    std::function<QString(const PreferenceValues&)> write;
    std::function<void(const QString&, PreferenceValues&)> read;
};

const QList<Key>& keys()
{
    static const QList<Key> table = {
        {u"Pictures"_s, u"prepareForWeb"_s,
         [](const PreferenceValues& v) { return v.preparePictures ? u"true"_s : u"false"_s; },
         [](const QString& text, PreferenceValues& v) {
             if (const std::optional<bool> on = parseFlag(text))
                 v.preparePictures = *on;
         }},
        {u"Pictures"_s, u"longestSide"_s,
         [](const PreferenceValues& v) { return QString::number(v.longestSide); },
         [](const QString& text, PreferenceValues& v) {
             const std::optional<qint64> n = parseNumber(text);
             if (n && *n >= MinimumLongestSide && *n <= MaximumLongestSide)
                 v.longestSide = int(*n);
         }}};
    return table;
}

// Calls `line` with each line's section and, for "key=value" lines, its key and value.
void walk(const QStringList& lines,
          const std::function<void(int, const QString&, const QString&, const QString&)>& line)
{
    QString section;
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            section = t.mid(1, t.size() - 2).trimmed();
            line(i, section, {}, {});
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (eq > 0 && !t.startsWith(u';') && !t.startsWith(u'#'))
            line(i, section, t.left(eq).trimmed(), t.mid(eq + 1).trimmed());
    }
}

} // namespace

void parseOwnSettings(const QString& text, PreferenceValues& values)
{
    walk(splitLines(text), [&values](int, const QString& section, const QString& name, const QString& value) {
        for (const Key& k : keys())
            if (k.section == section && k.name == name)
                k.read(value, values);
    });
}

QString ownSettingsText(const QString& text, const PreferenceValues& values)
{
    QStringList lines = splitLines(text);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (const Key& k : keys()) {
        int keyLine = -1, sectionEnd = -1;
        walk(lines, [&](int i, const QString& section, const QString& name, const QString&) {
            if (section != k.section)
                return;
            sectionEnd = i;
            if (name == k.name)
                keyLine = i;
        });
        const QString line = k.name + u'=' + k.write(values);
        if (keyLine >= 0)
            lines[keyLine] = line;
        else if (sectionEnd >= 0)
            lines.insert(sectionEnd + 1, line);
        else
            lines << u'[' + k.section + u']' << line;
    }
    return lines.join(u'\n') + u'\n';
}

void readOwnSettings(PreferenceValues& values)
{
    if (const std::optional<QString> text = readTextFile(userFileToRead(FileName), nullptr, MaxBytes))
        parseOwnSettings(*text, values);
}

bool writeOwnSettings(const PreferenceValues& values, QString* error)
{
    const QString path = userFileToWrite(FileName);
    const QString text = readTextFile(userFileToRead(FileName), nullptr, MaxBytes).value_or(QString());
    return writeFileAtomic(path, ownSettingsText(text, values).toUtf8(), error);
}

} // namespace lw
