#include "TextSearch.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace kelmora::model {

namespace {

bool isTurkishI(char16_t u)
{
    return u == u'i' || u == u'I' || u == u'\u0130' || u == u'\u0131';
}

// The two Turkish letters: dotted i (i, İ) and dotless ı (ı, I).
char16_t foldTurkishI(char16_t u)
{
    return (u == u'i' || u == u'\u0130') ? u'i' : u'\u0131';
}

} // namespace

QString foldTurkish(QStringView text)
{
    QString out = text.toString().toCaseFolded();
    // Qt's simple case folding keeps one UTF-16 unit for one.
    Q_ASSERT(out.size() == text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (isTurkishI(u))
            out[i] = QChar(foldTurkishI(u));
    }
    return out;
}

int findText(const QTextDocument &doc, const QString &text, int start, int length, bool matchCase)
{
    const int textLength = doc.characterCount() - 1;
    if (text.isEmpty() || start < 0 || start > textLength)
        return -1;
    const qint64 limit = qint64(start) + length;
    // Where the text holds none of the four letters, Qt's own folding gives
    // the same matches: no other letter folds to i or ı.
    const bool turkish = !matchCase && std::any_of(text.begin(), text.end(),
                                                   [](QChar c) { return isTurkishI(c.unicode()); });
    const QString needle = turkish ? foldTurkish(text) : text;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (QTextBlock b = doc.findBlock(start); b.isValid() && b.position() < limit; b = b.next()) {
        const QString blockText = b.text();
        const qsizetype from = qMax<qsizetype>(0, start - b.position());
        const qsizetype at = turkish ? foldTurkish(blockText).indexOf(needle, from, Qt::CaseSensitive)
                                     : blockText.indexOf(needle, from, cs);
        if (at < 0)
            continue;
        const qint64 found = b.position() + at;
        return found + needle.size() <= limit ? int(found) : -1;
    }
    return -1;
}

} // namespace kelmora::model
