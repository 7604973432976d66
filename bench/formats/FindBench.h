#pragma once
// Search in the editing surface against Qt's own QTextDocument::find on the
// same large document. Only built when the widgets are (KELMORA_GUI).

#include <QString>

namespace kelmora::bench {

struct FindTimes {
    QString word;
    bool matchCase = false;
    double ours = 0;  // TRichEdit::FindText over the whole text
    double qt = 0;    // QTextDocument::find from the start
};

// Loads path into a TRichEdit and times a search for each absent word.
QList<FindTimes> measureFind(const QString &path, int runs);

} // namespace kelmora::bench
