#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmSpellCheck;
}

namespace lw {

class SpellCheck;

// The spelling window of Check Spelling: the misspelt word in its sentence, the suggestions
// and the seller's choices. It shows a running check and hides when the check ends.
class frmSpellCheck : public QDialog
{
    Q_OBJECT
public:
    frmSpellCheck(SpellCheck& check, QWidget* parent = nullptr);
    ~frmSpellCheck() override;

    // Shows the check's current word, opening the window over its owner when it is hidden.
    void showProblem();

    void cmdChange_Click();
    void cmdChangeAll_Click();
    // Escape and the window's close button cancel too.
    void reject() override;

private:
    SpellCheck& m_check;
    std::unique_ptr<Ui::frmSpellCheck> m_ui;
};

} // namespace lw
