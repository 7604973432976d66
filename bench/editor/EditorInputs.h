#pragma once
// Inputs of the editor benchmark, generated once into a work folder and kept:
// Turkish prose as UTF-8 plain text and as RTF (face, size, style or colour
// changing every two to four words; some paragraphs centred, justified,
// indented or bulleted), of a given size; lists of a given number of short
// paragraphs, bulleted (\ls), numbered, or without numbering; tables of 20
// rows by 5 cells with borders, a short paragraph between two. Deterministic.

#include <QString>

namespace kelmora::bench {

enum class ListKind { None, Bullets, Numbers };

QString plainInput(const QString &dir, int megabytes);
QString rtfInput(const QString &dir, int megabytes);
QString tablesInput(const QString &dir, int megabytes);
QString listInput(const QString &dir, int items, ListKind kind);
// Many one-word lines: more paragraphs than the editor can show at any width.
QString shortLinesInput(const QString &dir, int lines);

} // namespace kelmora::bench
