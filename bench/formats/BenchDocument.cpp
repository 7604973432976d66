#include "BenchDocument.h"

#include "model/DocumentModel.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace kelmora::bench {

namespace {

const QStringList &words()
{
    static const QStringList list = QStringLiteral(
        "ve bir bu da ile için çok daha gibi kadar sonra şimdi ağaç çiçek güneş yağmur deniz kıyı "
        "dağ ırmak göl şehir köy sokak ev kapı pencere masa sandalye kitap defter kalem öğrenci "
        "öğretmen okul ders sınav başarı çalışma emek yorgunluk dinlenme uyku rüya sabah akşam gece "
        "gündüz yıl ay hafta gün saat dakika İstanbul Ankara İzmir Iğdır Çanakkale Şanlıurfa Muğla "
        "Düzce Ağrı Göreme ılık soğuk sıcak yeşil kırmızı mavi sarı beyaz siyah güzel çirkin büyük "
        "küçük uzun kısa geniş dar hızlı yavaş eski yeni genç yaşlı doğru yanlış kolay zor önemli "
        "gerekli mümkün olağanüstü düşünce duygu sevgi özlem umut korku cesaret sabır özgürlük")
                                         .split(u' ');
    return list;
}

QTextCharFormat runFormat(QRandomGenerator &rng)
{
    static const QStringList faces = {QStringLiteral("Arial"), QStringLiteral("Times New Roman"),
                                      QStringLiteral("Courier New"), QStringLiteral("Liberation Sans")};
    static const double sizes[] = {10, 11, 12, 12, 14, 16};
    static const QColor colours[] = {QColor(0xc0, 0, 0), QColor(0, 0x70, 0xc0), QColor(0, 0x80, 0x40)};
    QTextCharFormat f;
    switch (rng.bounded(4)) {
    case 0: f.setFontFamilies({faces.at(int(rng.bounded(int(faces.size()))))}); break;
    case 1: f.setFontPointSize(sizes[rng.bounded(6)]); break;
    case 2:
        if (rng.bounded(2))
            f.setFontWeight(QFont::Bold);
        else
            f.setFontItalic(true);
        f.setFontUnderline(rng.bounded(4) == 0);
        break;
    default:
        if (rng.bounded(3))
            f.setForeground(colours[rng.bounded(3)]);
        break;
    }
    return f;
}

QTextBlockFormat paragraphFormat(int index, model::Numbering &numbering)
{
    QTextBlockFormat f;
    numbering = model::Numbering::None;
    model::ParagraphIndents indents;
    if (index % 23 >= 19) { // runs of four bullets
        numbering = model::Numbering::Bullet;
        indents = {360, 360, 0};
    } else if (index % 7 == 3) {
        f.setAlignment(Qt::AlignHCenter);
    } else if (index % 5 == 1) {
        indents = {720, 0, 360};
        f.setAlignment(Qt::AlignJustify);
    } else {
        f.setAlignment(Qt::AlignLeft);
    }
    model::setIndents(f, indents, numbering != model::Numbering::None);
    return f;
}

} // namespace

std::unique_ptr<QTextDocument> formattedDocument(int paragraphs, quint32 seed)
{
    auto doc = std::make_unique<QTextDocument>();
    model::prepareDocument(*doc);
    doc->setUndoRedoEnabled(false);
    QRandomGenerator rng(seed);
    QTextCursor c(doc.get());
    c.beginEditBlock();
    QTextList *list = nullptr;
    for (int p = 0; p < paragraphs; ++p) {
        model::Numbering numbering;
        const QTextBlockFormat bf = paragraphFormat(p, numbering);
        if (p == 0)
            c.setBlockFormat(bf);
        else
            c.insertBlock(bf, QTextCharFormat());
        if (numbering == model::Numbering::None)
            list = nullptr;
        else if (list)
            list->add(c.block());
        else
            list = c.createList(model::listFormat(numbering));
        const int count = 20 + int(rng.bounded(60));
        for (int w = 0; w < count;) {
            const int run = 2 + int(rng.bounded(3));
            QString text;
            for (int i = 0; i < run && w < count; ++i, ++w) {
                text += words().at(int(rng.bounded(int(words().size()))));
                text += (w % 11 == 10) ? QStringLiteral(", ") : QStringLiteral(" ");
            }
            c.insertText(text, runFormat(rng));
        }
    }
    c.endEditBlock();
    doc->setUndoRedoEnabled(true);
    return doc;
}

QByteArray plainText(qsizetype bytes, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(bytes + 200);
    QList<QByteArray> utf8;
    for (const QString &w : words())
        utf8.append(w.toUtf8());
    while (out.size() < bytes) {
        const int count = 5 + int(rng.bounded(15));
        for (int i = 0; i < count; ++i) {
            out += utf8.at(int(rng.bounded(int(utf8.size()))));
            out += i + 1 < count ? ' ' : '\n';
        }
    }
    return out;
}

} // namespace kelmora::bench
