#pragma once

#include "submission/page_document.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace lw {

// The scripts the submission window runs in the page's document (in a world of their own, out of
// the page's scripts' reach). Every text they carry is embedded as a quoted string literal, so a
// value cannot end the literal, the script or an enclosing <script> element.

// A double-quoted JavaScript string literal of text: quotes, backslashes and control characters
// escaped as JSON does, and "<", ">", "&", U+2028 and U+2029 as \u escapes.
QString jsString(const QString& text);

// Each answers true when it did its work and false when the form or element is missing.
QString setValueScript(int form, const QString& name, const QString& value);
// The sign-in form (form 1): "userid" and "pass", only while the page's origin is `origin`.
QString signInScript(const QString& origin, const QString& user, const QString& password);
QString clickElementScript(int form, int element);
QString clickNamedScript(const QString& name);
QString checkOptionScript(int form, int element);
// The forms as a list of lists of [name, type, value, checked].
QString formsScript();
// The root element's inner HTML, or null without one.
QString rootHtmlScript();

// The answers of the scripts above as the engine hands them back.
bool scriptSucceeded(const QVariant& result);
std::optional<QList<FormElements>> formsFromResult(const QVariant& result);
std::optional<QString> textFromResult(const QVariant& result);

} // namespace lw
