#pragma once

#include <QString>

#include <optional>

namespace lw {

// A message box: its buttons and its icon.
enum class MsgButtons
{
    Ok,
    YesNoCancel,
    YesNo,
    // Restore (answers Yes), Discard (No) and Later (Cancel, also Escape).
    RestoreDiscardLater,
    // Generate Anyway (answers Yes) and Cancel (also Escape).
    GenerateAnywayCancel
};
enum class MsgIcon
{
    None,
    Critical,
    Exclamation,
    Information
};
enum class MsgResult
{
    Ok,
    Cancel,
    Yes,
    No
};

struct MsgStyle
{
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;

    MsgStyle(MsgButtons b = MsgButtons::Ok, MsgIcon i = MsgIcon::None) : buttons(b), icon(i) {}
    MsgStyle(MsgIcon i) : icon(i) {}
    bool operator==(const MsgStyle&) const = default;
};

inline constexpr auto ApplicationTitle = "Listwright";

// Everything modal or ambient that the program's logic asks of the desktop.
class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // An empty title shows the application title.
    virtual MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) = 0;
    // Cancel yields the empty text.
    virtual QString prompt(const QString& message, const QString& title = {},
                           const QString& defaultAnswer = {}) = 0;
    // nullopt on Cancel. Colours are 0x00BBGGRR values.
    virtual std::optional<qint64> chooseColor(qint64 initial) = 0;
    // filter as "Auction Ad Files|*.zad"; nullopt on Cancel.
    virtual std::optional<QString> openFileDialog(const QString& filter, const QString& fileName = {}) = 0;
    virtual std::optional<QString> saveFileDialog(const QString& filter, const QString& fileName = {}) = 0;

    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() = 0;

    // The shell's "Open" action; false when the desktop could not open it.
    virtual bool shellOpen(const QString& pathOrAddress, const QString& workingFolder) = 0;
    virtual bool startProgram(const QString& path) = 0;
    // The folder for temporary files ending with a separator; nullopt when unknown.
    virtual std::optional<QString> tempFolder() = 0;
    virtual bool isConnected() = 0;
};

// Opens a page or address in the desktop's browser and tells the seller when that failed.
void openPage(DesktopServices& ds, const QString& pathOrAddress);
// What the seller is told then; `reason`, when known, is what the desktop said.
QString openPageFailedText(const QString& pathOrAddress, const QString& reason = {});
inline constexpr auto OpenPageFailedTitle = "Unable To Open Page";

} // namespace lw
