#pragma once
// Finding text in a document the way the search dialog asks for it. Without
// regard to case, letters fold as in Turkish: dotted and dotless i are two
// letters, so i matches İ and ı matches I, and no other pair of the four
// matches; every other letter folds by Qt's case folding. With match case
// only the exact text matches. Whole words are never required.

#include <QString>
#include <QStringView>

class QTextDocument;

namespace kelmora::model {

// text folded for a search without regard to case; one character for one.
QString foldTurkish(QStringView text);

// Position of the first match of text that lies wholly within
// [start, start + length), searching forward from start, or -1. An empty
// text and a start outside the document find nothing. A match never spans
// a paragraph end.
int findText(const QTextDocument &doc, const QString &text, int start, int length, bool matchCase);

} // namespace kelmora::model
