#include "start_window.h"

#include "../../core/models/shared_state.h"
#include "../program.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lw {

namespace {
// The model keeps line breaks as CR LF whatever the widget stores.
QString toModel(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\n', u"\r\n"_s);
}
QString toWidget(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}
} // namespace

StartWindow::StartWindow(Program& program, QWidget* parent)
    : QMainWindow(parent), m_program(program), m_title(new QLineEdit), m_subTitle(new QLineEdit),
      m_description(new QPlainTextEdit)
{
    setObjectName(u"frmMain"_s);
    SharedState& s = program.state();
    m_title->setObjectName(u"txtTitle"_s);
    m_subTitle->setObjectName(u"txtSubTitle"_s);
    m_description->setObjectName(u"txtDescription"_s);

    auto* form = new QFormLayout;
    form->addRow(u"Title:"_s, m_title);
    form->addRow(u"Sub-Title:"_s, m_subTitle);
    auto* buttons = new QHBoxLayout;
    auto* preview = new QPushButton(u"&Preview Ad"_s);
    auto* generate = new QPushButton(u"&Generate Ad"_s);
    preview->setObjectName(u"cmdPreview"_s);
    generate->setObjectName(u"cmdGenerate"_s);
    buttons->addStretch();
    buttons->addWidget(preview);
    buttons->addWidget(generate);
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    column->addWidget(new QLabel(u"Description:"_s));
    column->addWidget(m_description, 1);
    column->addLayout(buttons);
    auto* central = new QWidget;
    central->setLayout(column);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(u"&File"_s);
    file->setObjectName(u"mnuFile"_s);
    auto add = [this](QMenu* menu, const QString& name, const QString& caption, const QKeySequence& keys,
                      auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    add(file, u"mnuFileNew"_s, u"&New"_s, QKeySequence(u"Ctrl+N"_s), [this] { m_program.files().mnuFileNew_Click(); });
    add(file, u"mnuFileOpen"_s, u"&Open..."_s, QKeySequence(u"Ctrl+O"_s),
        [this] { m_program.files().mnuFileOpen_Click(); });
    add(file, u"mnuFileSave"_s, u"&Save"_s, QKeySequence(u"Ctrl+S"_s),
        [this] { m_program.files().mnuFileSave_Click(); });
    add(file, u"mnuFileSaveAs"_s, u"Save &As..."_s, QKeySequence(u"F5"_s),
        [this] { m_program.files().mnuFileSaveAs_Click(); });
    file->addSeparator();
    add(file, u"mnuFileExit"_s, u"E&xit"_s, QKeySequence(), [this] { close(); });

    connect(preview, &QPushButton::clicked, this, [this] { m_program.mnuOptionsPreview_Click(); });
    connect(generate, &QPushButton::clicked, this, [this] { m_program.mnuOptionsGenerate_Click(); });
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_program.state().ad.setText(AdRecord::Text::Title, t); });
    connect(m_subTitle, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_program.state().ad.setText(AdRecord::Text::SubTitle, t); });
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = toModel(m_description->toPlainText());
        if (text != m_program.state().ad.text(AdRecord::Text::Description))
            m_program.state().ad.setText(AdRecord::Text::Description, text);
    });
    connect(&s.ad, &AdRecord::textChanged, this, [this] { refreshFromModel(); });
    connect(&s, &SharedState::captionChanged, this, &QWidget::setWindowTitle);
    setWindowTitle(s.caption());
    refreshFromModel();
    resize(651, 447);
}

void StartWindow::refreshFromModel()
{
    const AdRecord& ad = m_program.state().ad;
    if (m_title->text() != ad.text(AdRecord::Text::Title))
        m_title->setText(ad.text(AdRecord::Text::Title));
    if (m_subTitle->text() != ad.text(AdRecord::Text::SubTitle))
        m_subTitle->setText(ad.text(AdRecord::Text::SubTitle));
    const QString description = toWidget(ad.text(AdRecord::Text::Description));
    if (m_description->toPlainText() != description)
        m_description->setPlainText(description);
}

void StartWindow::closeEvent(QCloseEvent* event)
{
    if (m_program.queryClose())
        event->accept();
    else
        event->ignore();
}

} // namespace lw
