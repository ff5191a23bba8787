#include "core/line_table.h"

#include "core/password_shift.h"
#include "core/text_file.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString oneLine(const QString& text, const QString& breakAs)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    QString out = text;
    return out.replace(breaks, breakAs);
}

std::optional<qint64> numberWithin(const QString& text, qint64 low, qint64 high)
{
    const auto n = parseNumber(text);
    if (n && *n >= low && *n <= high)
        return n;
    return std::nullopt;
}

template <typename... Fs> struct Overloaded : Fs...
{
    using Fs::operator()...;
};
// clang 14 (the fuzzers' compiler) does not deduce aggregate templates by itself.
template <typename... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

} // namespace

bool readLineValue(LineKind kind, const QString& text, const LineValue& value, qint64 low, qint64 high)
{
    switch (kind) {
    case LineKind::Text:
        *std::get<QString*>(value) = text;
        return true;
    case LineKind::Breaks: {
        // The writer stores every kind of line break as "<BR>"; a lone CR left in a line by another
        // editor is one as well.
        static const QRegularExpression loneCr(u"\r(?!\n)"_s);
        *std::get<QString*>(value) = QString(text).replace(loneCr, u"\r\n"_s).replace(u"<BR>"_s, u"\r\n"_s);
        return true;
    }
    case LineKind::Password:
        *std::get<QString*>(value) = unscramblePassword(text);
        return true;
    case LineKind::Number:
    case LineKind::PlainNumber: {
        const auto n = numberWithin(text, low, high);
        if (!n)
            return false;
        std::visit(
            Overloaded{[&](int* v) { *v = static_cast<int>(*n); }, [&](qint64* v) { *v = *n; }, [](auto*) {}},
            value);
        return true;
    }
    case LineKind::NumberText: {
        // As a whole number: "5.0" is 5, not text that reads as 0 later.
        const auto n = numberWithin(text, low, high);
        if (n)
            *std::get<QString*>(value) = QString::number(*n);
        return n.has_value();
    }
    case LineKind::Color: {
        const auto n = numberWithin(text, -ColorValueLimit, ColorValueLimit);
        if (n)
            *std::get<ColorPair*>(value) = ColorPair::fromValue(*n);
        return n.has_value();
    }
    case LineKind::Check: {
        const auto n = numberWithin(text, 0, 1);
        if (n)
            *std::get<bool*>(value) = *n == 1;
        return n.has_value();
    }
    case LineKind::LooseCheck: {
        const auto n = parseNumber(text);
        if (n && (*n == 0 || *n == 1))
            std::visit(Overloaded{[&](bool* v) { *v = *n == 1; },
                                  [&](std::optional<bool>* v) { *v = *n == 1; }, [](auto*) {}},
                       value);
        return n.has_value();
    }
    case LineKind::Flag: {
        const auto f = parseFlag(text);
        if (f)
            *std::get<bool*>(value) = *f;
        return f.has_value();
    }
    case LineKind::LooseFlag: {
        bool on = true;
        if (const auto f = parseFlag(text))
            on = *f;
        else if (const auto n = parseNumber(text))
            on = *n != 0;
        *std::get<bool*>(value) = on;
        return true;
    }
    }
    return false;
}

QString lineValueText(LineKind kind, const LineValue& value, const QString& passwordMarker)
{
    switch (kind) {
    case LineKind::Text:
    case LineKind::NumberText:
        return oneLine(*std::get<QString*>(value), u" "_s);
    case LineKind::Breaks:
        return oneLine(*std::get<QString*>(value), u"<BR>"_s);
    case LineKind::Password:
        return scramblePassword(*std::get<QString*>(value), passwordMarker);
    case LineKind::Number:
    case LineKind::PlainNumber: {
        const qint64 n = std::visit(Overloaded{[](int* v) { return qint64(*v); },
                                               [](qint64* v) { return *v; }, [](auto*) { return qint64(0); }},
                                    value);
        return kind == LineKind::Number ? numberText(n) : QString::number(n);
    }
    case LineKind::Color:
        return numberText(std::get<ColorPair*>(value)->value);
    case LineKind::Check:
    case LineKind::LooseCheck: {
        const bool on = std::visit(Overloaded{[](bool* v) { return *v; },
                                              [](std::optional<bool>* v) { return v->value_or(false); },
                                              [](auto*) { return false; }},
                                   value);
        return numberText(on ? 1 : 0);
    }
    case LineKind::Flag:
    case LineKind::LooseFlag:
        return flagText(*std::get<bool*>(value));
    }
    return {};
}

} // namespace lw
