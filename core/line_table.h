#pragma once

#include "core/color.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

namespace lw {

// How a value is written on its line of a data file and read back.
enum class LineKind
{
    Text,        // as it stands; a line break inside becomes a blank so no later line shifts
    Breaks,      // text whose line breaks are stored as "<BR>"
    Password,    // text shifted with the file's marker
    Number,      // " 5 ": a whole number within the field's bounds
    PlainNumber, // "5"
    NumberText,  // a number the controls hold as text: read as a whole number, written as held
    Color,       // a colour pair, stored as its value in the number form
    Check,       // " 1 " or " 0 "; any other value is bad
    LooseCheck,  // " 1 " or " 0 "; another number leaves the value as it was
    Flag,        // "True" or "False", any letter case on reading
    LooseFlag,   // a flag, or a number that is true unless 0; anything else reads as true
};

// What an empty line reads as: its text like any other (an empty text, a bad number), or
// nothing, leaving the value as it was.
enum class IfEmpty
{
    Parse,
    Keep
};

// What a line missing at the end of a short file reads as: nothing, leaving the value as it
// was, or an empty line.
enum class IfMissing
{
    Keep,
    Empty
};

// The member a line holds.
using LineValue = std::variant<QString*, int*, qint64*, bool*, std::optional<bool>*, ColorPair*>;

template <typename S> struct LineField
{
    int line;
    std::function<LineValue(S&)> value;
    LineKind kind;
    // What the file holds on this line when the program makes it for the first time.
    QString firstRun;
    IfEmpty ifEmpty = IfEmpty::Parse;
    qint64 low = std::numeric_limits<qint64>::min();
    qint64 high = std::numeric_limits<qint64>::max();
};

// One data file: its lines in order, each read into and written from a member of S.
template <typename S> struct LineTable
{
    std::vector<LineField<S>> fields;
    IfMissing ifMissing = IfMissing::Keep;
    // The marker that ends a shifted password.
    QString passwordMarker;

    LineTable& add(int line, std::function<LineValue(S&)> value, LineKind kind, QString firstRun = {},
                   IfEmpty ifEmpty = IfEmpty::Parse)
    {
        fields.push_back({line, std::move(value), kind, std::move(firstRun), ifEmpty});
        return *this;
    }
    LineTable& addNumber(int line, std::function<LineValue(S&)> value, LineKind kind, qint64 low, qint64 high,
                         QString firstRun = {}, IfEmpty ifEmpty = IfEmpty::Parse)
    {
        fields.push_back({line, std::move(value), kind, std::move(firstRun), ifEmpty, low, high});
        return *this;
    }
    int lineCount() const
    {
        int n = 0;
        for (const auto& f : fields)
            n = std::max(n, f.line);
        return n;
    }
};

// The line that holds the table's shifted password; 0 when it has none.
template <typename S> int passwordLine(const LineTable<S>& table)
{
    for (const LineField<S>& f : table.fields)
        if (f.kind == LineKind::Password)
            return f.line;
    return 0;
}

inline constexpr qint64 ColorValueLimit = 0xFFFFFFFFLL;

// One line: true when the text was read into the value (or left it, as the kinds allow).
bool readLineValue(LineKind kind, const QString& text, const LineValue& value, qint64 low, qint64 high);
QString lineValueText(LineKind kind, const LineValue& value, const QString& passwordMarker);

// Reads the lines into `into`, which supplies what is kept; returns the numbers of the lines that
// held what their kind cannot.
template <typename S> QList<int> readLineTable(const LineTable<S>& table, const QStringList& lines, S& into)
{
    QList<int> bad;
    const QString none;
    for (const LineField<S>& f : table.fields) {
        const bool present = f.line <= lines.size();
        if (!present && table.ifMissing == IfMissing::Keep)
            continue;
        const QString& text = present ? lines.at(f.line - 1) : none;
        if (text.isEmpty() && f.ifEmpty == IfEmpty::Keep)
            continue;
        if (!readLineValue(f.kind, text, f.value(into), f.low, f.high))
            bad << f.line;
    }
    return bad;
}

template <typename S> QStringList writeLineTable(const LineTable<S>& table, S values)
{
    QStringList lines;
    for (int i = 0; i < table.lineCount(); ++i)
        lines << QString();
    for (const LineField<S>& f : table.fields)
        lines[f.line - 1] = lineValueText(f.kind, f.value(values), table.passwordMarker);
    return lines;
}

// The first-run file and the values it reads as.
template <typename S> QStringList firstRunLines(const LineTable<S>& table)
{
    QStringList lines;
    for (int i = 0; i < table.lineCount(); ++i)
        lines << QString();
    for (const LineField<S>& f : table.fields)
        lines[f.line - 1] = f.firstRun;
    return lines;
}

template <typename S> S firstRunValues(const LineTable<S>& table)
{
    S values{};
    for (const LineField<S>& f : table.fields)
        readLineValue(f.kind, f.firstRun, f.value(values), f.low, f.high);
    return values;
}

} // namespace lw
