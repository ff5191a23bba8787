#pragma once

#include "editor/text_box.h"

#include "core/models/ad_record.h"

#include <QString>

#include <array>
#include <functional>

namespace lw {

class SharedState;
class DesktopServices;

// One formatting button of the description: its control name, caption, tooltip and tag pair.
struct WrapButton
{
    const char16_t* name;
    const char16_t* caption;
    const char16_t* tooltip;
    const char16_t* open;
    const char16_t* close;
};

// One quick-colour swatch: the colour shown, its tooltip and the word written into the page.
struct QuickColor
{
    const char16_t* swatch;
    const char16_t* tooltip;
    const char16_t* word;
};

// Bold, Italic, Underline, Strike-Through, Preformatted, Superscript, Subscript, Centre, Left, Right.
const std::array<WrapButton, 10>& wrapButtons();
const std::array<QuickColor, 12>& quickColors();
// "[S1]".."[S21]"; "" for any other number.
QString emoticonCode(int number);
// A blank becomes two hard spaces and a blank, any other character "[c]".
QString animatedTextCode(const QString& answer);
// The nine letter-image styles, "" outside 0..8.
QString letterStyleName(int index);

// The editing commands of the main window, without the window: they read the
// text boxes through TextBoxAccess and write them back through it only, so that
// the window's own binding to the ad applies the unsaved-changes rules.
class EditorCommands
{
public:
    EditorCommands(SharedState& state, DesktopServices& ds, TextBoxAccess& boxes);

    // One of the ten wrapButtons, on the description (field 3).
    void wrap(int buttonIndex);
    // Wraps with "<FONT COLOR = \"" + word + "\">" ... "</FONT COLOR>".
    void cmdQuickColor_Click(int index);
    // Hyperlink.
    void Command2_Click();
    // Image.
    void cmdPicInsert_Click();
    // The four colour pickers.
    void pickColor(AdRecord::Color which);

    // installFolder() + "/icons/emt/s_" + N + ".gif" (N above 99: last two digits).
    QString emoticonPath(int number) const;
    // The picture the emoticon preview shows now.
    QString currentEmoticonPath() const;
    void cmdNextEmoticon_Click();
    void cmdPreviousEmoticon_Click();
    void cmdEmoticon_Click();
    void cmdAnimatedText_Click();

    // The six scroll items.
    void toggleScroll(AdRecord::Effect effect);
    void mnuTextDocumentNoRightClick_Click();
    // rebuildFragments rebuilds MarqueeTags and PageExtras (the window passes Program::buildEffectFragments).
    void mnuTextDocumentMusic_Click(const std::function<void()>& rebuildFragments);

    // The prompt texts, for the window's own checks and the tests.
    static QString hyperlinkAddressMessage();
    static QString hyperlinkTextMessage();
    static QString imageMessage();
    static QString animatedTextMessage();
    static QString musicMessage();
    static QString musicTitle();

private:
    void wrapDescription(const QString& open, const QString& close);
    // Puts code in front of the selection of a box; the selection stays, the caret follows it.
    void insertBeforeSelection(TextBox box, const QString& code);
    // Puts code in front of the selection of the description and moves the caret to the end.
    void insertAndGoToEnd(const QString& code);

    SharedState& m_state;
    DesktopServices& m_ds;
    TextBoxAccess& m_boxes;
};

} // namespace lw
