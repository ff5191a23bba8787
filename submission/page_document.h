#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace lw {

// One element of a form, as the searches over the page see it.
struct FormElement
{
    QString name;
    QString type;
    QString value;
    bool checked = false;
};
using FormElements = QList<FormElement>;

// The loaded page's document: forms and their elements by 0-based position, elements also by
// name, and the root element's inner HTML. Every call answers later through its callback; a
// missing form or element, or a page that went away, answers false or nullopt.
class PageDocument
{
public:
    using Done = std::function<void(bool ok)>;

    virtual ~PageDocument() = default;

    virtual void setValue(int form, const QString& name, const QString& value, Done done) = 0;
    // Fills the sign-in form's user name and password while the page's origin is `origin`.
    virtual void fillSignIn(const QString& origin, const QString& user, const QString& password,
                            Done done) = 0;
    virtual void clickElement(int form, int element, Done done) = 0;
    // The first element of the document with this name.
    virtual void clickNamed(const QString& name, Done done) = 0;
    // Checks a radio button or check box; false for any other element.
    virtual void checkOption(int form, int element, Done done) = 0;
    virtual void forms(std::function<void(std::optional<QList<FormElements>>)> done) = 0;
    virtual void rootHtml(std::function<void(std::optional<QString>)> done) = 0;
};

} // namespace lw
