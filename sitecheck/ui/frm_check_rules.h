#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmCheckRules;
}

namespace lw {

class RulesCheck;

// The findings of the site-rules check, each with its Fix button. Not modal: the seller edits
// the ad beside it and checks again.
class frmCheckRules : public QDialog
{
    Q_OBJECT
public:
    frmCheckRules(RulesCheck& check, QWidget* parent = nullptr);
    ~frmCheckRules() override;

    // Checks the ad and shows the window over its owner.
    void showAndCheck();
    void cmdFix_Click(int finding);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showFindings();
    void fitRows();

    RulesCheck& m_check;
    std::unique_ptr<Ui::frmCheckRules> m_ui;
};

} // namespace lw
