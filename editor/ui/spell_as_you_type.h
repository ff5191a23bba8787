#pragma once

#include "editor/spell_cache.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <array>
#include <memory>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace lw {

class DesktopServices;
class Speller;
class SpellHighlighter;
class SpellUnderline;

// Spelling as the seller types in the title, the sub-title and the description: misspelt
// words are underlined, and a box's context menu offers the first suggestions and
// "Add to Dictionary" above its usual entries.
class SpellAsYouType : public QObject
{
    Q_OBJECT
public:
    SpellAsYouType(Speller& speller, DesktopServices& ds, QLineEdit* title, QLineEdit* subTitle,
                   QPlainTextEdit* description, QObject* parent = nullptr);
    ~SpellAsYouType() override;

    // The context menu of a box for the text position given (in the box's own text, line
    // breaks counted once); the caller shows and deletes it.
    std::unique_ptr<QMenu> contextMenu(QWidget* box, int position);
    SpellCache& cache() { return m_cache; }

private:
    void showMenu(QWidget* box, QPoint at, int position);

    Speller& m_speller;
    DesktopServices& m_ds;
    SpellCache m_cache;
    // Owned by the boxes, but they read the cache: they go with it.
    QPointer<SpellHighlighter> m_highlighter;
    std::array<QPointer<SpellUnderline>, 2> m_underlines;
};

} // namespace lw
