#include "CharacterFormat.h"

#include <QTextDocument>

namespace kelmora::model {

QString cutFace(const QString &name)
{
    return name.left(MaxFaceLength);
}

QString faceName(const QTextCharFormat &format, const QTextDocument &doc)
{
    const QVariant families = format.property(QTextFormat::FontFamilies);
    if (families.isValid()) {
        const QStringList list = families.toStringList();
        if (!list.isEmpty() && !list.constFirst().isEmpty())
            return cutFace(list.constFirst());
    }
    return cutFace(doc.defaultFont().family());
}

int wholePoints(const QTextCharFormat &format, const QTextDocument &doc)
{
    const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                          : doc.defaultFont().pointSizeF();
    return static_cast<int>(points);
}

FontStyles stylesOf(const QTextCharFormat &format)
{
    FontStyles s;
    s.setFlag(FontStyle::Bold, format.fontWeight() >= QFont::DemiBold);
    s.setFlag(FontStyle::Italic, format.fontItalic());
    s.setFlag(FontStyle::Underline, format.fontUnderline());
    s.setFlag(FontStyle::StrikeOut, format.fontStrikeOut());
    return s;
}

std::optional<QColor> colourOf(const QTextCharFormat &format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return std::nullopt;
    const QBrush brush = format.foreground();
    if (brush.style() == Qt::NoBrush)
        return std::nullopt;
    return brush.color();
}

QTextCharFormat faceFormat(const QString &name)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{cutFace(name)});
    return f;
}

QTextCharFormat sizeFormat(int points)
{
    QTextCharFormat f;
    f.setFontPointSize(points > 0 ? points : 1);
    return f;
}

QTextCharFormat styleFormat(FontStyles s)
{
    QTextCharFormat f;
    f.setFontWeight(s.testFlag(FontStyle::Bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.testFlag(FontStyle::Italic));
    f.setFontUnderline(s.testFlag(FontStyle::Underline));
    f.setFontStrikeOut(s.testFlag(FontStyle::StrikeOut));
    return f;
}

QTextCharFormat colourFormat(const std::optional<QColor> &colour)
{
    QTextCharFormat f;
    f.setForeground(colour ? QBrush(*colour) : QBrush());
    return f;
}

} // namespace kelmora::model
