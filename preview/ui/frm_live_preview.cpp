#include "preview/ui/frm_live_preview.h"

#include "preview/ui/ui_frm_live_preview.h"

#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <functional>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// A phone's width in CSS pixels, and the phone's frame around it.
constexpr int PhoneWidth = 360;
constexpr int Bezel = 10;
constexpr int BezelEnd = 26;

// The least time from one page's load to the next's.
constexpr int LoadGap = 100;

const QString KeepScrollName = u"lwKeepScroll"_s;

// Puts the page where the seller was reading: at the same place when the page's height is the same,
// at the same fraction of it when the height changed.
QString keepScrollScript(double y, double height)
{
    return uR"((() => { const page = document.scrollingElement; if (!page) return;
        const y = %1, h = %2, now = page.scrollHeight;
        window.scrollTo(0, h > 0 && Math.abs(now - h) > 1 ? y * now / h : y); })())"_s.arg(y)
        .arg(height);
}

} // namespace

// The preview's page: a link of the ad goes to the desktop's browser, never into the preview. A page
// made for a link that opens a new window only hands that link over.
class PreviewPage : public QWebEnginePage
{
public:
    PreviewPage(std::function<void(const QUrl&)> clicked, QObject* parent, bool forNewWindow = false)
        : QWebEnginePage(parent), m_clicked(std::move(clicked)), m_forNewWindow(forNewWindow)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (m_forNewWindow) {
            m_clicked(url);
            deleteLater();
            return false;
        }
        if (type == NavigationTypeLinkClicked && isMainFrame)
            m_clicked(url);
        // A form of the ad (the shipping calculator) is sent from the auction site, not from here.
        return type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
    }

    QWebEnginePage* createWindow(WebWindowType) override { return new PreviewPage(m_clicked, this, true); }

private:
    std::function<void(const QUrl&)> m_clicked;
    bool m_forNewWindow;
};

frmLivePreview::frmLivePreview(PreviewHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(host), m_ui(std::make_unique<Ui::frmLivePreview>())
{
    m_ui->setupUi(this);
    // The seller keeps typing in the editor while the preview comes up beside it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_view = new QWebEngineView(m_ui->fraDevice);
    m_view->setObjectName(u"wbPreview"_s);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_page = new PreviewPage([this](const QUrl& url) { linkClicked(url); }, m_view);
    // The background music would start again with every keystroke.
    m_page->setAudioMuted(true);
    m_view->setPage(m_page);
    m_ui->layDevice->addWidget(m_view);

    connect(m_view, &QWebEngineView::loadFinished, this, &frmLivePreview::loadFinished);
    m_gap.setSingleShot(true);
    connect(&m_gap, &QTimer::timeout, this, &frmLivePreview::load);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        m_loading = false;
        load();
    });
    connect(m_ui->lblFindings, &QLabel::linkActivated, this, [this] { m_host.openCheckWindow(); });
    const std::pair<QToolButton*, View> views[] = {{m_ui->optDesktop, View::Desktop},
                                                   {m_ui->optPhone, View::Phone},
                                                   {m_ui->optPhoneSummary, View::PhoneSummary}};
    for (const auto& [button, view] : views)
        connect(button, &QToolButton::toggled, this, [this, v = view](bool on) {
            if (on)
                setView(v);
        });
    setView(View::Desktop);
}

frmLivePreview::~frmLivePreview() = default;

void frmLivePreview::showWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
}

void frmLivePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_host.previewVisible(true);
}

void frmLivePreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_host.previewVisible(false);
}

void frmLivePreview::showContent(const PreviewContent& content)
{
    if (content.serial < m_content.serial)
        return;
    m_content = content;
    load();
}

void frmLivePreview::showFindings(const QString& text)
{
    m_ui->lblFindings->setText(text + u" \u2014 <a href=\"check\">Check Ad For Site Rules</a>"_s);
}

void frmLivePreview::setView(View view)
{
    m_viewKind = view;
    const bool phone = view != View::Desktop;
    const std::pair<QToolButton*, View> buttons[] = {{m_ui->optDesktop, View::Desktop},
                                                     {m_ui->optPhone, View::Phone},
                                                     {m_ui->optPhoneSummary, View::PhoneSummary}};
    for (const auto& [button, v] : buttons)
        if (v == view)
            button->setChecked(true);
    // A phone stands centred on a plain backdrop, its screen exactly a phone's width.
    m_ui->fraBackdrop->setStyleSheet(phone ? u"#fraBackdrop { background: #cdd2d8; }"_s : QString());
    m_ui->fraDevice->setStyleSheet(phone ? u"#fraDevice { background: #202124; border-radius: 22px; }"_s
                                         : QString());
    m_ui->layDevice->setContentsMargins(phone ? QMargins(Bezel, BezelEnd, Bezel, BezelEnd) : QMargins());
    m_ui->layBackdrop->setContentsMargins(phone ? QMargins(0, 10, 0, 10) : QMargins());
    if (phone) {
        m_ui->fraDevice->setFixedWidth(PhoneWidth + 2 * Bezel);
    } else {
        m_ui->fraDevice->setMinimumWidth(0);
        m_ui->fraDevice->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    m_ui->layBackdrop->setAlignment(m_ui->fraDevice, phone ? Qt::AlignHCenter : Qt::Alignment());
    // A phone's scroll bars float over the page and take none of its width.
    m_view->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, !phone);
    load();
}

void frmLivePreview::load()
{
    if (m_content.serial == 0)
        return;
    if (m_loading) {
        m_again = true;
        return;
    }
    if (const qint64 wait = m_sinceLoad.isValid() ? LoadGap - m_sinceLoad.elapsed() : 0; wait > 0) {
        if (!m_gap.isActive())
            m_gap.start(int(wait));
        return;
    }
    m_sinceLoad.start();
    m_keepScroll = keepScrollScript(m_page->scrollPosition().y(), m_page->contentsSize().height());
    // Run as soon as the page is parsed, so that it does not first show at its top; again once its
    // pictures have loaded and its height is final.
    QWebEngineScriptCollection& scripts = m_page->scripts();
    for (const QWebEngineScript& old : scripts.find(KeepScrollName))
        scripts.remove(old);
    QWebEngineScript keep;
    keep.setName(KeepScrollName);
    keep.setInjectionPoint(QWebEngineScript::DocumentReady);
    keep.setWorldId(QWebEngineScript::ApplicationWorld);
    keep.setSourceCode(m_keepScroll);
    scripts.insert(keep);

    m_loading = true;
    setProperty("loadingSerial", m_content.serial);
    const QString& html = m_viewKind == View::Desktop ? m_content.page
                          : m_viewKind == View::Phone ? m_content.phonePage
                                                      : m_content.summaryPage;
    m_page->setHtml(html, QUrl(m_content.baseUrl));
}

void frmLivePreview::loadFinished()
{
    m_loading = false;
    m_page->runJavaScript(m_keepScroll, QWebEngineScript::ApplicationWorld);
    // Each page would otherwise stay in the history, a copy of the ad per keystroke.
    m_page->history()->clear();
    // Which state of the ad the seller sees (tests and the benchmark follow it).
    setProperty("shownSerial", property("loadingSerial"));
    if (m_again) {
        m_again = false;
        load();
    }
}

void frmLivePreview::linkClicked(const QUrl& url)
{
    if (url.toString() == QLatin1String(PreviewCheckLink))
        m_host.openCheckWindow();
    else if (url.isLocalFile())
        m_host.openAddress(url.toLocalFile());
    else if (url.scheme() == u"http" || url.scheme() == u"https" || url.scheme() == u"mailto")
        m_host.openAddress(url.toString());
}

} // namespace lw
