#pragma once
// What LibreOffice finds in a document, from its flat XML (.fodt) export, as
// lines a test compares: the document's title, subject and author, each
// page style the body uses (size, orientation,
// margins) with its headers and footers, each body paragraph with its
// paragraph style, and each foot- or endnote or comment after its paragraph;
// headers, footers and notes give their text with the font and size it starts in.
//
//   page 8.2681in x 11.6929in portrait margins 0.7874in 0.7874in 0.9839in 0.7874in
//   header: "Şirket antedi" Liberation Sans 10pt
//   paragraph Heading 1: "Giriş"
//   footnote: "Kaynak: kitap." Liberation Serif 10pt

#include <QByteArray>
#include <QStringList>

namespace kelmora::formats::test {

// The lines for fodt, or one line starting "error:" when it cannot be read.
QStringList libreOfficeReading(const QByteArray &fodt);

} // namespace kelmora::formats::test
