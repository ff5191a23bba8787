// Spelling of a 30,000-character description: the worker's first pass over a pasted text, and
// what one keystroke costs the window once the words are known.

#include "editor/spell_cache.h"
#include "editor/spell_words.h"
#include "editor/speller.h"
#include "editor/ui/spell_highlighter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// A seller's description: common words in lines of about sixty characters, a misspelling
// every forty words, some markup and codes.
QString description()
{
    const QStringList words =
        u"the a brass lamp with its original shade in fine working order from an estate "
        u"sale shipped carefully insured packed condition light wear minor scratches base "
        u"cord switch bulb included height inches weight pounds collector vintage antique "
        u"beautiful rare genuine offered here please ask questions before bidding payment "
        u"due within days thank you for looking"_s.split(u' ');
    const QStringList wrong = {u"recieve"_s, u"teh"_s, u"condtion"_s, u"shiping"_s, u"orignal"_s};
    QString text, line;
    for (int i = 0; text.size() < 30000; ++i) {
        line += (i % 40 == 39 ? wrong[(i / 40) % wrong.size()] : words[(i * 7) % words.size()]) + u' ';
        if (i % 97 == 0)
            line += u"<B>[S12]</B> [L][a][m][p] "_s;
        if (line.size() > 60) {
            text += line + u'\n';
            line.clear();
        }
    }
    return text.left(30000);
}

lw::Speller& speller()
{
    static lw::Speller s;
    if (!s.load()) {
        std::fputs("bench_spelling: no en_US dictionary\n", stderr);
        std::abort();
    }
    return s;
}

// What the worker does for a text it has never seen: every word to Hunspell.
void BM_CheckDescriptionUncached(benchmark::State& state)
{
    const QString text = description();
    lw::Speller& s = speller();
    for (auto _ : state) {
        int misspelt = 0;
        for (const lw::WordSpan& w : lw::spellWords(text))
            misspelt += !s.isCorrect(text.mid(w.start, w.length));
        benchmark::DoNotOptimize(misspelt);
    }
    state.counters["words"] = double(lw::spellWords(text).size());
}

// One keystroke at the end of the description once the cache knows its words: the document
// change plus the highlighting of the changed line, on the window's thread.
void BM_KeystrokeAtTheEnd(benchmark::State& state)
{
    QTextDocument document;
    lw::SpellCache cache(speller());
    lw::SpellHighlighter highlighter(&document, cache);
    document.setPlainText(description());
    QElapsedTimer learning;
    learning.start();
    while (learning.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (cache.isCorrect(u"recieve"_s).has_value() && cache.isCorrect(u"orignal"_s).has_value())
            break;
    }
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(u"x"_s);
        cursor.deletePreviousChar();
    }
}

// The same for a description pasted as one line: every keystroke looks at all 30,000 characters.
void BM_KeystrokeInOneLongLine(benchmark::State& state)
{
    QTextDocument document;
    lw::SpellCache cache(speller());
    lw::SpellHighlighter highlighter(&document, cache);
    document.setPlainText(description().replace(u'\n', u' '));
    QElapsedTimer learning;
    learning.start();
    while (learning.elapsed() < 10000 && !cache.isCorrect(u"orignal"_s).has_value())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(u"x"_s);
        cursor.deletePreviousChar();
    }
}

} // namespace

BENCHMARK(BM_CheckDescriptionUncached)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeAtTheEnd)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeInOneLongLine)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
