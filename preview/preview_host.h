#pragma once

// The boundary between the program and the live preview, which lives in the browser module and is
// loaded only when the preview is first opened. Both sides see only these abstract classes, value
// structs and std::function: the module holds none of the program's models or QObject types.

#include <QString>

class QWidget;

namespace lw {

// One state of the ad as the preview shows it, made off the typing path.
struct PreviewContent
{
    // Later states have larger numbers.
    quint64 serial = 0;
    bool ok = false;
    // Why the page could not be made; shown instead of it.
    QString error;
    // The page Preview makes (pictures from this computer), as a desktop browser shows it.
    QString page;
    // The same page in a phone's device-width viewport.
    QString phonePage;
    // What a phone shows of the description: the marked summary, or the first characters of text.
    QString summaryPage;
    // Where the pages' relative addresses point: a file:// address of a folder.
    QString baseUrl;
};

// The address of the phone summary's link to the listing check.
inline constexpr char PreviewCheckLink[] = "listwright:check";

// What the preview window needs of the program.
class PreviewHost
{
public:
    virtual ~PreviewHost() = default;

    // The window was shown or hidden: the preview follows the ad only while it is shown.
    virtual void previewVisible(bool visible) = 0;
    // The link of the findings line and of the phone summary's hint: the listing check's window.
    virtual void openCheckWindow() = 0;
    // A link of the ad clicked in the preview: opened in the desktop's browser, not in the preview.
    virtual void openAddress(const QString& address) = 0;
};

// The preview window as the program sees it.
class PreviewWindow
{
public:
    virtual ~PreviewWindow() = default;

    virtual QWidget* widget() = 0;
    // mnuOptionsLivePreview: shown modeless, or raised when it is open.
    virtual void showWindow() = 0;
    // Loaded once the page in hand has loaded; a newer content supersedes one not yet shown.
    virtual void showContent(const PreviewContent& content) = 0;
    // The line under the view, rich text ("eBay would reject 1 part · 2 risky").
    virtual void showFindings(const QString& text) = 0;
};

// The module's exported function for this window: a new window owned by the caller.
using CreatePreviewWindow = PreviewWindow* (*)(PreviewHost& host, QWidget* parent);
inline constexpr char CreatePreviewWindowSymbol[] = "lw_create_live_preview";

} // namespace lw
