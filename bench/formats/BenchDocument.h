#pragma once
// Inputs for the format benchmarks, generated like a user's large document:
// Turkish prose whose face, size, style or colour changes every two to four
// words, thousands of paragraphs, some centred, indented or bulleted; and
// plain UTF-8 text of a given size. Deterministic for a given seed.

#include <QByteArray>

#include <memory>

class QTextDocument;

namespace kelmora::bench {

// A formatted document of about `paragraphs` paragraphs.
std::unique_ptr<QTextDocument> formattedDocument(int paragraphs, quint32 seed = 1923);

// UTF-8 text of at least `bytes` bytes in lines of Turkish words, LF line ends.
QByteArray plainText(qsizetype bytes, quint32 seed = 1071);

} // namespace kelmora::bench
