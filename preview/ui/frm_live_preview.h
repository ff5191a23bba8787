#pragma once

#include "preview/preview_host.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QWebEngineView;

namespace Ui {
class frmLivePreview;
}

namespace lw {

class PreviewPage;

// The live preview: the ad's page beside the editor, as a desktop shows it, on a phone, or what a
// phone shows of the description, with the listing check's counts under it. A page loads while the
// seller goes on typing; content that comes meanwhile waits, and only the newest is loaded next.
class frmLivePreview : public QWidget, public PreviewWindow
{
    Q_OBJECT
public:
    enum class View
    {
        Desktop,
        Phone,
        PhoneSummary
    };

    frmLivePreview(PreviewHost& host, QWidget* parent = nullptr);
    ~frmLivePreview() override;

    QWidget* widget() override { return this; }
    void showWindow() override;
    void showContent(const PreviewContent& content) override;
    void showFindings(const QString& text) override;

    void setView(View view);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void load();
    void loadFinished();
    void linkClicked(const QUrl& url);

    PreviewHost& m_host;
    std::unique_ptr<Ui::frmLivePreview> m_ui;
    QWebEngineView* m_view = nullptr;
    PreviewPage* m_page = nullptr;
    View m_viewKind = View::Desktop;
    PreviewContent m_content;
    bool m_loading = false;
    // Content or the view changed while a page was loading: load again once it has.
    bool m_again = false;
    // While the seller types, pages follow one another no closer than this: each load costs the
    // window's thread some work.
    QElapsedTimer m_sinceLoad;
    QTimer m_gap;
    // The scroll position to keep, as the script that restores it.
    QString m_keepScroll;
};

} // namespace lw
