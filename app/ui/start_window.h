#pragma once

#include <QMainWindow>

class QLineEdit;
class QPlainTextEdit;

namespace lw {

class Program;

// A compact editor over the program's models: title, sub-title, description,
// the File commands, Generate and Preview.
class StartWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit StartWindow(Program& program, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshFromModel();

    Program& m_program;
    QLineEdit* m_title;
    QLineEdit* m_subTitle;
    QPlainTextEdit* m_description;
};

} // namespace lw
