#include "sitecheck/ui/frm_check_rules.h"

#include "sitecheck/rules_check.h"
#include "sitecheck/ui/ui_frm_check_rules.h"
#include "support/ui/form_support.h"

#include <QHeaderView>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString kindCaption(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Rejected:
        return u"Rejected"_s;
    case FindingKind::Risky:
        return u"Risky"_s;
    case FindingKind::Advice:
        break;
    }
    return u"Advice"_s;
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
    QHeaderView* header = m_ui->lstFindings->header();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    header->setStretchLastSection(false);
    m_ui->lstFindings->setColumnWidth(1, 200);
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

void frmCheckRules::cmdFix_Click(int finding)
{
    m_check.fix(finding);
}

void frmCheckRules::showFindings()
{
    const SiteCheckResult& r = m_check.result();
    const QString site = m_check.rules().name;
    QTreeWidget* list = m_ui->lstFindings;
    list->clear();
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

    for (int i = 0; i < r.findings.size(); ++i) {
        const Finding& f = r.findings.at(i);
        auto* item = new QTreeWidgetItem(list, {kindCaption(f.kind), f.where(), f.text});
        item->setForeground(0, kindColor(f.kind));
        item->setToolTip(2, f.text);
        item->setData(0, Qt::UserRole, f.rule);
        if (f.fix == FixKind::None)
            continue;
        auto* button = new QPushButton(f.fixCaption());
        button->setObjectName(u"cmdFix_"_s + QString::number(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdFix_Click(i); });
        list->setItemWidget(item, 3, button);
    }
}

} // namespace lw
