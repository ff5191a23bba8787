#include "submission/ui/web_document.h"

#include "submission/page_scripts.h"

#include <QWebEnginePage>
#include <QWebEngineScript>

namespace lw {

void WebDocument::run(const QString& script, std::function<void(const QVariant&)> done)
{
    if (!m_page) {
        done(QVariant());
        return;
    }
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, std::move(done));
}

void WebDocument::setValue(int form, const QString& name, const QString& value, Done done)
{
    run(setValueScript(form, name, value), [done](const QVariant& r) { done(scriptSucceeded(r)); });
}

void WebDocument::fillSignIn(const QString& origin, const QString& user, const QString& password, Done done)
{
    run(signInScript(origin, user, password), [done](const QVariant& r) { done(scriptSucceeded(r)); });
}

void WebDocument::clickElement(int form, int element, Done done)
{
    run(clickElementScript(form, element), [done](const QVariant& r) { done(scriptSucceeded(r)); });
}

void WebDocument::clickNamed(const QString& name, Done done)
{
    run(clickNamedScript(name), [done](const QVariant& r) { done(scriptSucceeded(r)); });
}

void WebDocument::checkOption(int form, int element, Done done)
{
    run(checkOptionScript(form, element), [done](const QVariant& r) { done(scriptSucceeded(r)); });
}

void WebDocument::forms(std::function<void(std::optional<QList<FormElements>>)> done)
{
    run(formsScript(), [done](const QVariant& r) { done(formsFromResult(r)); });
}

void WebDocument::rootHtml(std::function<void(std::optional<QString>)> done)
{
    run(rootHtmlScript(), [done](const QVariant& r) { done(textFromResult(r)); });
}

} // namespace lw
