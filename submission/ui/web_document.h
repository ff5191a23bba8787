#pragma once

#include "submission/page_document.h"

#include <QPointer>

class QWebEnginePage;

namespace lw {

// The page document over a WebEngine page: every operation one script run in the application's
// own world. Answers that arrive after the page is gone are dropped.
class WebDocument : public PageDocument
{
public:
    explicit WebDocument(QWebEnginePage* page) : m_page(page) {}

    void setValue(int form, const QString& name, const QString& value, Done done) override;
    void fillSignIn(const QString& origin, const QString& user, const QString& password, Done done) override;
    void clickElement(int form, int element, Done done) override;
    void clickNamed(const QString& name, Done done) override;
    void checkOption(int form, int element, Done done) override;
    void forms(std::function<void(std::optional<QList<FormElements>>)> done) override;
    void rootHtml(std::function<void(std::optional<QString>)> done) override;

private:
    void run(const QString& script, std::function<void(const QVariant&)> done);

    QPointer<QWebEnginePage> m_page;
};

} // namespace lw
