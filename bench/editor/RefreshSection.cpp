// The editor benchmark's refresh section: the formatting bar's refresh
// (durum_kontrol) with the whole of a large, uniformly bold document selected,
// in the real frame shown offscreen, beside a bare QTextEdit of the same size
// holding the same document. Its inputs come from the format benchmarks'
// generator (editor-10mb.rtf and editor-10mb.txt in the work folder).

#include "RefreshSection.h"

#include "BenchDocument.h"
#include "Measure.h"

#include "app/Main.h"
#include "documents/Childwin.h"
#include "formats/DocumentIO.h"
#include "model/SelectionFormat.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <cstdio>

namespace kelmora::bench {

namespace {

int fragmentCount(const QTextDocument &doc)
{
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            ++n;
    }
    return n;
}

void pressShift(QWidget *w)
{
    QTest::keyPress(w, Qt::Key_Shift);
    QTest::keyRelease(w, Qt::Key_Shift);
}

// Opens path in the frame as Open does, selects everything and makes it bold.
TRichEdit *openBold(TAna &frame, const QString &path)
{
    frame.pencere_ac(path);
    TRichEdit *e = frame.activeEditor();
    e->parentWidget()->window()->resize(760, 470);
    e->selectAll();
    if (!e->SelAttributes().Style().testFlag(FontStyle::Bold))
        frame.ToolButton18Click(nullptr);
    if (!e->SelAttributes().Style().testFlag(FontStyle::Bold))
        frame.ToolButton18Click(nullptr);
    return e;
}

void row(const char *work, double ours, double floor)
{
    if (floor > 0)
        std::printf("| %s | %.2f ms | %.2f ms |\n", work, ours * 1e3, floor * 1e3);
    else
        std::printf("| %s | %.2f ms | |\n", work, ours * 1e3);
}

void measure(TAna &frame, const QString &name, const QString &path, int runs)
{
    TRichEdit *e = openBold(frame, path);
    const QTextDocument &doc = *e->document();
    QTextEdit bare;
    bare.setDocument(doc.clone(&bare));
    bare.resize(e->size());
    bare.show();
    bare.selectAll();

    std::printf("\n%s: %.1f M characters, %d paragraphs, %d fragments, all bold and selected\n\n",
                qPrintable(name), (doc.characterCount() - 1) / 1e6, doc.blockCount(), fragmentCount(doc));
    std::printf("| work | Kelmora | bare QTextEdit |\n|---|---|---|\n");
    // An edit that changes no look (bold written again) makes the refresh
    // read the selection afresh, as after any real edit.
    const auto edited = [e] { e->SelAttributes().SetStyle(e->SelAttributes().Style()); };
    const auto editedCollapsed = [e, edited] {
        edited();
        e->SetSelStart(0);
    };
    row("one pass over the selection (`selectionLook`)",
        medianSeconds(runs, [e] { model::selectionLook(e->textCursor()); }), 0);
    row("`durum_kontrol` after an edit", medianSeconds(runs, [&frame] { frame.durum_kontrol(nullptr); }, edited),
        0);
    frame.durum_kontrol(nullptr);
    row("`durum_kontrol` again, nothing changed", medianSeconds(runs, [&frame] { frame.durum_kontrol(nullptr); }),
        0);
    row("Shift pressed and released", medianSeconds(runs, [e] { pressShift(e); }),
        medianSeconds(runs, [&bare] { pressShift(&bare); }));
    row("Ctrl+B (select all) after an edit, pressed and released",
        medianSeconds(runs, [e] { QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier); }, editedCollapsed),
        medianSeconds(runs, [&bare] { QTest::keyClick(&bare, Qt::Key_A, Qt::ControlModifier); },
                             [&bare] { bare.moveCursor(QTextCursor::Start); }));
}

} // namespace

void refreshSection(const QString &dir, int runs)
{
    const QString rtf = dir + QStringLiteral("/editor-10mb.rtf");
    const QString txt = dir + QStringLiteral("/editor-10mb.txt");
    if (!QFile::exists(rtf)) {
        // About 10 M characters of formatted prose.
        const auto doc = formattedDocument(26000);
        formats::saveFile(*doc, rtf, false, formats::PlainTextForm{});
    }
    if (!QFile::exists(txt)) {
        QFile f(txt);
        if (!f.open(QIODevice::WriteOnly) || f.write(plainText(10'000'000)) < 0)
            qFatal("cannot write %s", qPrintable(txt));
    }

    TAna frame;
    Ana = &frame;
    frame.show();
    measure(frame, QStringLiteral("Formatted RTF"), rtf, runs);
    measure(frame, QStringLiteral("Plain text"), txt, runs);
    std::printf("\n");
    Ana = nullptr;
}

} // namespace kelmora::bench
