#pragma once
// Collects one \pict group so that it can be written back as it came. The
// group's data (hex text or \binN bytes directly in it) becomes the picture's
// bytes; everything else, its own words and nested groups ({\*\picprop ...},
// {\*\blipuid ...}) in their order, is kept as RTF text, written back before
// the data. Of the words, the kind (\pngblip, \wmetafile8, ...), the sizes,
// the scale and the cropping also decide how the picture is shown.
//
// A picture is bounded: data and kept words beyond MaxBytes refuse it (the
// rest of the group is still read, but not kept).

#include "model/Pictures.h"
#include "RtfTokenizer.h"
#include "RtfWords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

namespace kelmora::formats {

class OutputSink;

class RtfPicture {
public:
    static constexpr qsizetype MaxBytes = qsizetype(64) << 20;

    void reset();
    void groupStart();
    void groupEnd();
    void word(Kw word, const RtfToken &token);
    void symbol(char symbol);
    void text(QByteArrayView bytes);
    void binary(QByteArrayView bytes);

    bool refused() const { return m_refused; }
    model::pictures::Picture picture() const;
    // Shown size in twips: the goal size (else the declared size, else the
    // picture's own pixels, else an inch), cropped, scaled, at most 22
    // inches a side.
    QSize sizeTwips() const;

private:
    bool nested() const { return m_depth > 0; }
    void keep(QByteArrayView rtf);
    void keepText(QByteArrayView bytes);
    void grown(qsizetype added);
    void topWord(Kw word, int param);
    // The declared size (\picw, \pich) in twips, by the kind's unit.
    QSize declaredTwips() const;

    model::pictures::Kind m_kind = model::pictures::Kind::Unknown;
    int m_picw = 0, m_pich = 0, m_goalw = 0, m_goalh = 0;
    int m_scalex = 100, m_scaley = 100;
    int m_cropl = 0, m_cropr = 0, m_cropt = 0, m_cropb = 0;
    QByteArray m_data;
    QByteArray m_kept;
    int m_highNibble = -1;
    int m_depth = 0;
    bool m_afterWord = false; // text kept next needs a blank to end the word
    bool m_refused = false;
};

// Writes picture as a \pict group: {\pict, the kept words, the data in hex}.
void writePictureGroup(OutputSink &out, const model::pictures::Picture &picture);

} // namespace kelmora::formats
