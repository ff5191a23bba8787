#include "sitecheck/ui/frm_check_rules.h"

#include "sitecheck/rules_check.h"
#include "sitecheck/ui/ui_frm_check_rules.h"
#include "support/ui/form_support.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString kindCaption(FindingKind kind)
{
    QString caption = kindName(kind);
    caption[0] = caption[0].toUpper();
    return caption;
}

QColor kindColor(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Rejected:
        return QColor(0xB0, 0x00, 0x00);
    case FindingKind::Risky:
        return QColor(0x9A, 0x5B, 0x00);
    case FindingKind::Advice:
        break;
    }
    return QColor(0x1F, 0x4E, 0x8C);
}

QString plural(int n, const QString& one, const QString& many)
{
    return QString::number(n) + u' ' + (n == 1 ? one : many);
}

} // namespace

frmCheckRules::frmCheckRules(RulesCheck& check, QWidget* parent)
    : QDialog(parent), m_check(check), m_ui(std::make_unique<Ui::frmCheckRules>())
{
    m_ui->setupUi(this);
    new OwnedWindowWatcher(this);
    QHeaderView* header = m_ui->lstFindings->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_ui->lstFindings->setColumnWidth(1, 170);
    // Long findings wrap: the rows follow the width of their column.
    connect(header, &QHeaderView::sectionResized, this, &frmCheckRules::fitRows);
    m_ui->lblRules->setText(u"Rules of "_s + check.rules().name);
    connect(m_ui->cmdCheckAgain, &QPushButton::clicked, &m_check, &RulesCheck::run);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_check, &RulesCheck::checked, this, &frmCheckRules::showFindings);
    showFindings();
}

frmCheckRules::~frmCheckRules() = default;

void frmCheckRules::showAndCheck()
{
    m_check.run();
    show();
    raise();
    activateWindow();
}

void frmCheckRules::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitRows();
}

void frmCheckRules::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The columns have their widths only once the window is laid out.
    QTimer::singleShot(0, this, &frmCheckRules::fitRows);
}

void frmCheckRules::fitRows()
{
    if (isVisible())
        m_ui->lstFindings->resizeRowsToContents();
}

void frmCheckRules::cmdFix_Click(int finding)
{
    m_check.fix(finding);
}

void frmCheckRules::showFindings()
{
    const SiteCheckResult& r = m_check.result();
    const QString site = m_check.rules().name;
    QTableWidget* list = m_ui->lstFindings;
    list->setRowCount(0);
    if (!r.ok) {
        m_ui->lblSummary->setText(
            r.error.isEmpty() ? QString() : u"The ad could not be made, so it was not checked: "_s + r.error);
        return;
    }
    const int rejected = r.count(FindingKind::Rejected);
    if (r.findings.isEmpty())
        m_ui->lblSummary->setText(site + u" would take this ad as it is: nothing found."_s);
    else if (rejected > 0)
        m_ui->lblSummary->setText(site + u" would refuse this ad as it is: "_s +
                                  plural(rejected, u"finding"_s, u"findings"_s) +
                                  u" below must be fixed before you post it."_s);
    else
        m_ui->lblSummary->setText(site +
                                  u" would take this ad, but the findings below may cost you the listing "
                                  u"or buyers."_s);

    list->setRowCount(int(r.findings.size()));
    for (int i = 0; i < r.findings.size(); ++i) {
        const Finding& f = r.findings.at(i);
        const QStringList cells = {kindCaption(f.kind), f.where(), f.text};
        for (int c = 0; c < 3; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            list->setItem(i, c, cell);
        }
        list->item(i, 0)->setForeground(kindColor(f.kind));
        list->item(i, 0)->setData(Qt::UserRole, f.rule);
        if (f.fix == FixKind::None)
            continue;
        auto* button = new QPushButton(f.fixCaption());
        button->setObjectName(u"cmdFix_"_s + QString::number(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdFix_Click(i); });
        // At the row's top, beside the finding's first line.
        auto* holder = new QWidget;
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(2, 1, 2, 1);
        layout->addWidget(button);
        layout->addStretch();
        list->setCellWidget(i, 3, holder);
    }
    fitRows();
}

} // namespace lw
