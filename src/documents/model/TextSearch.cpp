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
    QString out(text.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80) {
            // Most text is ASCII: fold it without a table look-up.
            o[i] = (u >= u'A' && u <= u'Z') ? (u == u'I' ? u'\u0131' : char16_t(u + 32)) : u;
        } else if (isTurkishI(u)) {
            o[i] = foldTurkishI(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            // Simple case folding keeps a letter outside the BMP outside it.
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(u, text.at(i + 1).unicode()));
            o[i] = QChar::highSurrogate(folded);
            o[++i] = QChar::lowSurrogate(folded);
        } else {
            o[i] = QChar::toCaseFolded(u);
        }
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
