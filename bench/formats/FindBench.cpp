#include "FindBench.h"

#include "Measure.h"
#include "documents/RichEdit.h"

#include <QTextCursor>
#include <QTextDocument>

namespace kelmora::bench {

QList<FindTimes> measureFind(const QString &path, int runs)
{
    TRichEdit edit;
    edit.LoadFromFile(path);
    QTextDocument *doc = edit.document();
    const int length = edit.TextLength();
    QList<FindTimes> result;
    // Words that do not occur; the second has a Turkish i, which the
    // surface folds with the dotted and dotless forms.
    for (const QString &word : {QStringLiteral("zümrüdüanka"), QStringLiteral("kırkayaklar")}) {
        for (bool matchCase : {false, true}) {
            FindTimes t;
            t.word = word;
            t.matchCase = matchCase;
            int found = 0;
            t.ours = medianSeconds(runs, [&] { found += edit.FindText(word, 0, length, matchCase); });
            const QTextDocument::FindFlags flags = matchCase ? QTextDocument::FindCaseSensitively
                                                             : QTextDocument::FindFlags();
            t.qt = medianSeconds(runs, [&] { found += doc->find(word, 0, flags).isNull() ? -1 : 0; });
            if (found != -2 * runs)
                qFatal("the benchmark's absent word was found");
            result.append(t);
        }
    }
    return result;
}

} // namespace kelmora::bench
