#include "editor/editor_commands.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"

#include <QFileInfo>
#include <QStringList>
#include <QStringView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

const QString CrLf = u"\r\n"_s;

QString str(const char16_t* text)
{
    return QStringView(text).toString();
}

// The three parts of a box around its selection, clamped because a window may
// hand over a caret that no longer fits the text.
struct Split
{
    QString before;
    QString selected;
    QString after;
};

Split splitAtSelection(const TextBoxState& box)
{
    const qsizetype size = box.text.size();
    const qsizetype start = std::clamp<qsizetype>(box.selStart, 0, size);
    const qsizetype length = std::clamp<qsizetype>(box.selLength, 0, size - start);
    return {box.text.left(start), box.text.mid(start, length), box.text.mid(start + length)};
}

TextBoxState caretAt(const QString& text, qsizetype caret)
{
    return {text, static_cast<int>(caret), 0};
}

bool isScrollOfGroup(AdRecord::Effect e, AdRecord::Effect first)
{
    const int i = static_cast<int>(e) - static_cast<int>(first);
    return i >= 0 && i < 3;
}

} // namespace

const std::array<WrapButton, 10>& wrapButtons()
{
    static const std::array<WrapButton, 10> buttons{{
        {u"CmdBold", u"B", u"Bold", u"<B>", u"</B>"},
        {u"cmdItalic", u"I", u"Italic", u"<I>", u"</I>"},
        {u"cmdUnderline", u"U", u"Underline", u"<U>", u"</U>"},
        {u"cmdStrikeThrough", u"S", u"Strike-Through", u"<S>", u"</S>"},
        {u"cmdPreFormatted", u"P", u"Preformatted Text", u"<PRE>", u"</PRE>"},
        {u"cmdSub1", u"", u"Superscript", u"<SUP>", u"</SUP>"},
        {u"cmdSub2", u"", u"Subscript", u"<SUB>", u"</SUB>"},
        {u"cmdAlignCenter", u"", u"Center Text Align", u"<CENTER>", u"</CENTER>"},
        {u"cmdAlignLeft", u"", u"Left Text Align", u"<LEFT>", u"</LEFT>"},
        {u"cmdAlignRight", u"", u"Right Text Align", u"<RIGHT>", u"</RIGHT>"},
    }};
    return buttons;
}

const std::array<QuickColor, 12>& quickColors()
{
    // The words are what the page has always received, mixed case and hex alike.
    static const std::array<QuickColor, 12> colors{{
        {u"#FF0000", u"Red", u"red"},
        {u"#FF8000", u"Orange", u"orange"},
        {u"#FFFF00", u"Yellow", u"yellow"},
        {u"#00FF00", u"Green", u"#00FF00"},
        {u"#00FFFF", u"Aqua", u"aqua"},
        {u"#0000FF", u"Blue", u"blue"},
        {u"#FF00FF", u"Fuchsia", u"Fuchsia"},
        {u"#C0C0C0", u"Light Grey", u"lightgrey"},
        {u"#800080", u"Purple", u"Purple"},
        {u"#000080", u"Navy Blue", u"navy"},
        {u"#800000", u"Dark Red", u"Darkred"},
        {u"#808080", u"Gray", u"gray"},
    }};
    return colors;
}

QString emoticonCode(int number)
{
    if (number < 1 || number > 21)
        return {};
    return u"[S"_s + QString::number(number) + u']';
}

QString animatedTextCode(const QString& answer)
{
    QString code;
    for (qsizetype i = 0; i < answer.size(); ++i) {
        const QChar c = answer.at(i);
        if (c == u' ') {
            code += u"&nbsp;&nbsp; "_s;
            continue;
        }
        // A character outside the basic plane is one letter, not two broken halves.
        const qsizetype width =
            (c.isHighSurrogate() && i + 1 < answer.size() && answer.at(i + 1).isLowSurrogate()) ? 2 : 1;
        code += u'[' + answer.mid(i, width) + u']';
        i += width - 1;
    }
    return code;
}

QString letterStyleName(int index)
{
    static const std::array<const char16_t*, 9> names{
        u"Jobbernole Red", u"Jobbernole Green", u"Jobbernole Blue",    u"Baltar Red",       u"Baltar Green",
        u"Baltar Blue",    u"GraphicLight Red", u"GraphicLight Green", u"GraphicLight Blue"};
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return str(names[index]);
}

EditorCommands::EditorCommands(SharedState& state, DesktopServices& ds, TextBoxAccess& boxes)
    : m_state(state), m_ds(ds), m_boxes(boxes)
{
}

QString EditorCommands::hyperlinkAddressMessage()
{
    return u"Please enter the URL (web address) of the location you wish to create a hyperlink to."_s + CrLf +
           CrLf + u"Example: http://www.example.com/page.htm"_s + CrLf;
}

QString EditorCommands::hyperlinkTextMessage()
{
    return u"Please enter the text you wish to display, which can be clicked to take the user to the web "
           u"address "
           "specified previously.  You may leave this field blank and select OK to use the actual address "
           "entered as "
           "the hyperlinked text."_s +
           CrLf + CrLf + u"Example: Click here to visit Quenmere Software's site!"_s + CrLf;
}

QString EditorCommands::imageMessage()
{
    return u"Type (or paste) the complete URL (web address) of the image you wish to insert into your description."_s +
           CrLf + CrLf + u"Example: http://www.yourhost.example/pictures/yourimage.jpg"_s + CrLf;
}

QString EditorCommands::animatedTextMessage()
{
    return QStringList{
        u"Please enter the text you wish to make animated."_s,
        QString(),
        u"Note: Due to rarity in use, the following characters are not available in 3D and will not appear correctly if used:"_s,
        QString(),
        u"`  ~  #  ^  *  (  )  _  -  +  =  [  ]  {  }  \\  |  ;  :  '  \"  <  >  /"_s,
        QString(),
        u"If you are using the GraphicLight font type, in addition to the characters shown above, you will not be able to use the following:"_s,
        QString(),
        u"@  %"_s,
    }
        .join(CrLf);
}

QString EditorCommands::musicMessage()
{
    return u"Please enter the url of the music file you wish to play below."_s + CrLf + CrLf +
           u"Example: http://www.yoursite.example/music/bg.mid"_s;
}

QString EditorCommands::musicTitle()
{
    return u"Music File Selector"_s;
}

void EditorCommands::wrapDescription(const QString& open, const QString& close)
{
    const Split p = splitAtSelection(m_boxes.textBox(TextBox::Description));
    const QString text = p.before + open + p.selected + close + p.after;
    // With a selection the caret goes past the closing tag; without one, between the tags to type into.
    const qsizetype caret = p.selected.isEmpty()
                                ? p.before.size() + open.size()
                                : p.before.size() + open.size() + p.selected.size() + close.size();
    m_boxes.setTextBox(TextBox::Description, caretAt(text, caret));
}

void EditorCommands::wrap(int buttonIndex)
{
    if (buttonIndex < 0 || buttonIndex >= static_cast<int>(wrapButtons().size()))
        return;
    const WrapButton& b = wrapButtons()[buttonIndex];
    wrapDescription(str(b.open), str(b.close));
}

void EditorCommands::cmdQuickColor_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(quickColors().size()))
        return;
    wrapDescription(u"<FONT COLOR = \""_s + str(quickColors()[index].word) + u"\">"_s, u"</FONT COLOR>"_s);
}

void EditorCommands::insertAndGoToEnd(const QString& code)
{
    const Split p = splitAtSelection(m_boxes.textBox(TextBox::Description));
    const QString text = p.before + code + p.selected + p.after;
    m_boxes.setTextBox(TextBox::Description, caretAt(text, text.size()));
}

void EditorCommands::Command2_Click()
{
    const QString address = m_ds.prompt(hyperlinkAddressMessage(), QString(), u"http://"_s);
    // The second question is asked even after a cancelled first one; sellers are used to that order.
    QString linkText = m_ds.prompt(hyperlinkTextMessage());
    if (linkText.isEmpty())
        linkText = address;
    const QString code =
        address.isEmpty() ? QString() : u"<A HREF = \""_s + address + u"\">"_s + linkText + u"</a> "_s;
    insertAndGoToEnd(code);
}

void EditorCommands::cmdPicInsert_Click()
{
    const QString address = m_ds.prompt(imageMessage());
    insertAndGoToEnd(address.isEmpty() ? QString() : u"<IMG SRC = \""_s + address + u"\">"_s);
}

void EditorCommands::pickColor(AdRecord::Color which)
{
    if (which == AdRecord::Color::Count)
        return;
    // Opening a picker counts as an edit even when it is cancelled.
    m_state.ad.setAdChanged(true);
    const std::optional<qint64> chosen = m_ds.chooseColor(m_state.ad.color(which).value);
    if (!chosen)
        return;
    m_state.ad.setColor(which, ColorPair::fromValue(*chosen));
}

QString EditorCommands::emoticonPath(int number) const
{
    QString n = QString::number(number);
    // The picture names have at most two digits.
    if (number > 99)
        n = n.right(2);
    return installFolder() + u"/icons/emt/s_"_s + n + u".gif"_s;
}

QString EditorCommands::currentEmoticonPath() const
{
    return emoticonPath(m_state.emoticonNumber);
}

void EditorCommands::cmdNextEmoticon_Click()
{
    const int previous = m_state.emoticonNumber;
    const int next = previous + 1;
    if (QFileInfo::exists(emoticonPath(next)))
        m_state.emoticonNumber = next;
    else if (QFileInfo::exists(emoticonPath(1)))
        m_state.emoticonNumber = 1;
    else
        m_state.emoticonNumber = previous;
}

void EditorCommands::cmdPreviousEmoticon_Click()
{
    const int previous = m_state.emoticonNumber;
    const int next = previous - 1;
    if (QFileInfo::exists(emoticonPath(next)))
        m_state.emoticonNumber = next;
    else if (QFileInfo::exists(emoticonPath(18)))
        m_state.emoticonNumber = 18;
    else
        m_state.emoticonNumber = previous;
}

void EditorCommands::insertBeforeSelection(TextBox box, const QString& code)
{
    const Split p = splitAtSelection(m_boxes.textBox(box));
    const QString text = p.before + code + p.selected + p.after;
    const qsizetype caret = p.before.size() + code.size() + p.selected.size();
    m_boxes.setTextBox(box, caretAt(text, caret));
}

void EditorCommands::cmdEmoticon_Click()
{
    insertBeforeSelection(m_state.emoticonTarget, emoticonCode(m_state.emoticonNumber));
}

void EditorCommands::cmdAnimatedText_Click()
{
    const QString answer = m_ds.prompt(animatedTextMessage());
    insertBeforeSelection(m_state.letterTarget, animatedTextCode(answer));
}

void EditorCommands::toggleScroll(AdRecord::Effect effect)
{
    if (effect == AdRecord::Effect::Count)
        return;
    const bool on = !m_state.ad.effect(effect);
    m_state.ad.setEffect(effect, on);
    if (!on)
        return;
    // Each text scrolls one way only: the other two items of its menu go off.
    for (AdRecord::Effect first : {AdRecord::Effect::TitleScrollL, AdRecord::Effect::SubTitleScrollL}) {
        if (!isScrollOfGroup(effect, first))
            continue;
        for (int i = 0; i < 3; ++i) {
            const auto other = static_cast<AdRecord::Effect>(static_cast<int>(first) + i);
            if (other != effect)
                m_state.ad.setEffect(other, false);
        }
    }
}

void EditorCommands::mnuTextDocumentNoRightClick_Click()
{
    m_state.ad.setEffect(AdRecord::Effect::NoRightClick, !m_state.ad.effect(AdRecord::Effect::NoRightClick));
}

void EditorCommands::mnuTextDocumentMusic_Click(const std::function<void()>& rebuildFragments)
{
    const bool on = !m_state.ad.effect(AdRecord::Effect::Music);
    m_state.ad.setEffect(AdRecord::Effect::Music, on);
    if (on) {
        // A cancelled question leaves the music on with no address, as it always has.
        const QString address = m_ds.prompt(musicMessage(), musicTitle());
        m_state.ad.setText(AdRecord::Text::MusicUrl, address);
        if (rebuildFragments)
            rebuildFragments();
    }
}

} // namespace lw
