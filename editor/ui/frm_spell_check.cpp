#include "editor/ui/frm_spell_check.h"

#include "editor/spell_check.h"
#include "editor/ui/ui_frm_spell_check.h"
#include "support/ui/form_support.h"

using namespace Qt::StringLiterals;

namespace lw {

frmSpellCheck::frmSpellCheck(SpellCheck& check, QWidget* parent)
    : QDialog(parent), m_check(check), m_ui(std::make_unique<Ui::frmSpellCheck>())
{
    m_ui->setupUi(this);
    // The ad stays as it is while a word waits for the seller's decision.
    setWindowModality(Qt::WindowModal);
    new OwnedWindowWatcher(this);
    connect(m_ui->cmdChange, &QPushButton::clicked, this, &frmSpellCheck::cmdChange_Click);
    connect(m_ui->cmdChangeAll, &QPushButton::clicked, this, &frmSpellCheck::cmdChangeAll_Click);
    connect(m_ui->cmdIgnore, &QPushButton::clicked, this, [this] { m_check.ignore(); });
    connect(m_ui->cmdIgnoreAll, &QPushButton::clicked, this, [this] { m_check.ignoreAll(); });
    connect(m_ui->cmdAdd, &QPushButton::clicked, this, [this] { m_check.add(); });
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &frmSpellCheck::reject);
    connect(m_ui->lstSuggestions, &QListWidget::currentTextChanged, this, [this](const QString& s) {
        if (!s.isEmpty() && m_ui->lstSuggestions->currentItem()->flags() & Qt::ItemIsEnabled)
            m_ui->txtChangeTo->setText(s);
    });
    connect(m_ui->lstSuggestions, &QListWidget::itemDoubleClicked, this, &frmSpellCheck::cmdChange_Click);
    connect(&check, &SpellCheck::finished, this, &QWidget::hide);
}

frmSpellCheck::~frmSpellCheck() = default;

void frmSpellCheck::showProblem()
{
    const SpellCheck::Problem& p = m_check.problem();
    static const QString boxNames[] = {u"Title"_s, u"Sub-Title"_s, u"Description"_s};
    m_ui->lblBox->setText(boxNames[int(p.box)]);

    const WordSpan sentence = sentenceAround(p.text, p.word);
    auto plain = [&p](qsizetype from, qsizetype to) { return p.text.mid(from, to - from).toHtmlEscaped(); };
    const qsizetype wordEnd = p.word.start + p.word.length;
    // A red that stands out from the box's own text on light and dark desktops alike.
    const QString red = isDarkPalette(m_ui->txtNotInDictionary->palette()) ? u"#ff7a7a"_s : u"#c00000"_s;
    m_ui->txtNotInDictionary->setHtml(plain(sentence.start, p.word.start) + u"<span style=\"color:"_s + red +
                                      u"; font-weight:bold\">"_s + plain(p.word.start, wordEnd) +
                                      u"</span>"_s + plain(wordEnd, sentence.start + sentence.length));

    m_ui->lstSuggestions->clear();
    m_ui->lstSuggestions->addItems(p.suggestions);
    if (p.suggestions.isEmpty()) {
        auto* none = new QListWidgetItem(u"(no suggestions)"_s, m_ui->lstSuggestions);
        none->setFlags(Qt::NoItemFlags);
        m_ui->txtChangeTo->setText(m_check.misspelt());
    } else {
        m_ui->lstSuggestions->setCurrentRow(0);
    }
    m_ui->txtChangeTo->setFocus();
    m_ui->txtChangeTo->selectAll();
    if (!isVisible())
        open();
}

void frmSpellCheck::cmdChange_Click()
{
    m_check.change(m_ui->txtChangeTo->text());
}

void frmSpellCheck::cmdChangeAll_Click()
{
    m_check.changeAll(m_ui->txtChangeTo->text());
}

void frmSpellCheck::reject()
{
    m_check.cancel();
    QDialog::reject();
}

} // namespace lw
