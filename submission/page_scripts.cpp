#include "submission/page_scripts.h"

#include <QVariantList>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Runs body inside a function; a failure of the page's document answers false.
QString guarded(const QString& body)
{
    return u"(function () { try { "_s + body + u" } catch (e) { return false; } })()"_s;
}

// Looks up element `name` of form `form` into `e`; a group of same-named elements gives its first.
QString namedElement(int form, const QString& name)
{
    return u"var f = document.forms["_s + QString::number(form) +
           u"]; if (!f) return false; var e = f.elements.namedItem("_s + jsString(name) +
           u"); if (e && !e.tagName && typeof e.length === 'number') e = e[0]; if (!e) return false; "_s;
}

QString indexedElement(int form, int element)
{
    return u"var f = document.forms["_s + QString::number(form) +
           u"]; if (!f) return false; var e = f.elements["_s + QString::number(element) +
           u"]; if (!e) return false; "_s;
}

} // namespace

QString jsString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"':
            out += u"\\\""_s;
            break;
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        default:
            if (u < 0x20 || u == u'<' || u == u'>' || u == u'&' || u == 0x2028 || u == 0x2029 || u == 0x7F)
                out += u"\\u"_s + QString::number(u, 16).rightJustified(4, u'0');
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString setValueScript(int form, const QString& name, const QString& value)
{
    return guarded(namedElement(form, name) + u"e.value = "_s + jsString(value) + u"; return true;"_s);
}

QString signInScript(const QString& origin, const QString& user, const QString& password)
{
    return guarded(u"if (location.origin !== "_s + jsString(origin) + u") return false; "_s +
                   namedElement(1, u"userid"_s) + u"var user = e; "_s + namedElement(1, u"pass"_s) +
                   u"user.value = "_s + jsString(user) + u"; e.value = "_s + jsString(password) +
                   u"; return true;"_s);
}

QString clickElementScript(int form, int element)
{
    return guarded(indexedElement(form, element) + u"e.click(); return true;"_s);
}

QString clickNamedScript(const QString& name)
{
    return guarded(u"var e = document.getElementsByName("_s + jsString(name) +
                   u")[0]; if (!e) return false; e.click(); return true;"_s);
}

QString checkOptionScript(int form, int element)
{
    return guarded(
        indexedElement(form, element) +
        u"if (e.type !== 'radio' && e.type !== 'checkbox') return false; e.checked = true; return true;"_s);
}

QString formsScript()
{
    return guarded(u"var out = []; for (var i = 0; i < document.forms.length; ++i) { var f = "
                   u"document.forms[i]; var row = []; "
                   u"for (var j = 0; j < f.elements.length; ++j) { var e = f.elements[j]; "
                   u"row.push([String(e.name || ''), String(e.type || ''), String(e.value === undefined ? '' "
                   u": e.value), "
                   u"e.checked === true]); } out.push(row); } return out;"_s);
}

QString rootHtmlScript()
{
    return guarded(u"var r = document.documentElement; return r ? r.innerHTML : null;"_s);
}

bool scriptSucceeded(const QVariant& result)
{
    return result.typeId() == QMetaType::Bool && result.toBool();
}

std::optional<QList<FormElements>> formsFromResult(const QVariant& result)
{
    if (result.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<FormElements> forms;
    for (const QVariant& form : result.toList()) {
        FormElements elements;
        for (const QVariant& item : form.toList()) {
            const QVariantList e = item.toList();
            if (e.size() != 4)
                return std::nullopt;
            elements.append({e[0].toString(), e[1].toString(), e[2].toString(), e[3].toBool()});
        }
        forms.append(elements);
    }
    return forms;
}

std::optional<QString> textFromResult(const QVariant& result)
{
    if (result.typeId() != QMetaType::QString)
        return std::nullopt;
    return result.toString();
}

} // namespace lw
