#include "LibreOfficeReading.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace kelmora::formats::test {

namespace {

struct Style {
    QString parent;
    QString display;
    QString font;
    QString size;
    QString master;
    bool automatic = false;
};

struct Paragraph {
    QString style;
    QString span; // the text style the paragraph's text starts in
    QString text;
};

struct Note {
    QString kind;
    QList<Paragraph> paragraphs;
};

class Reading {
public:
    explicit Reading(const QByteArray &fodt) : m_xml(fodt) {}
    QStringList read();

private:
    QString attr(const QString &name) const { return m_xml.attributes().value(name).toString(); }
    void readStyle(bool automatic);
    void readPageLayout();
    void readMasterPage();
    // Reads the paragraph m_xml is at up to its end; its notes go to notes.
    Paragraph readParagraph(QList<Note> &notes);
    void readNote(Paragraph &around, QList<Note> &notes);
    QString styleName(const QString &name) const;
    QString fontOf(const Paragraph &p) const;
    QString storyLine(const QString &kind, const Paragraph &p) const;

    QXmlStreamReader m_xml;
    QHash<QString, Style> m_styles; // "family/name"
    Style *m_style = nullptr;
    QHash<QString, QString> m_layouts;
    QHash<QString, QStringList> m_masters;
    QStringList m_info;
    QStringList m_out;
};

void Reading::readStyle(bool automatic)
{
    const QString name = attr(u"style:name"_s);
    Style &s = m_styles[attr(u"style:family"_s) + u'/' + name];
    s.parent = attr(u"style:parent-style-name"_s);
    s.display = m_xml.attributes().hasAttribute(u"style:display-name"_s) ? attr(u"style:display-name"_s) : name;
    s.master = attr(u"style:master-page-name"_s);
    s.automatic = automatic;
    m_style = &s;
}

void Reading::readPageLayout()
{
    const QString name = attr(u"style:name"_s);
    while (m_xml.readNextStartElement()) {
        if (m_xml.qualifiedName() == u"style:page-layout-properties") {
            m_layouts[name] = u"%1 x %2 %3 margins %4 %5 %6 %7"_s.arg(
                attr(u"fo:page-width"_s), attr(u"fo:page-height"_s), attr(u"style:print-orientation"_s),
                attr(u"fo:margin-top"_s), attr(u"fo:margin-bottom"_s), attr(u"fo:margin-left"_s), attr(u"fo:margin-right"_s));
        }
        m_xml.skipCurrentElement();
    }
}

void Reading::readMasterPage()
{
    QStringList &lines = m_masters[attr(u"style:name"_s)];
    lines.append(u"page "_s + m_layouts.value(attr(u"style:page-layout-name"_s)));
    while (m_xml.readNextStartElement()) {
        const QString kind = m_xml.name().toString();
        if (attr(u"style:display"_s) == u"false" || !(kind.startsWith(u"header") || kind.startsWith(u"footer"))) {
            m_xml.skipCurrentElement();
            continue;
        }
        while (m_xml.readNextStartElement()) {
            QList<Note> notes;
            if (m_xml.name() == u"p" || m_xml.name() == u"h")
                lines.append(storyLine(kind, readParagraph(notes)));
            else
                m_xml.skipCurrentElement();
        }
    }
}

Paragraph Reading::readParagraph(QList<Note> &notes)
{
    Paragraph p;
    p.style = attr(u"text:style-name"_s);
    int depth = 1;
    while (depth > 0 && !m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (m_xml.name() == u"note" || m_xml.name() == u"annotation") {
                readNote(p, notes);
                break;
            }
            ++depth;
            if (m_xml.name() == u"span" && p.text.isEmpty() && p.span.isEmpty())
                p.span = attr(u"text:style-name"_s);
            else if (m_xml.name() == u"s")
                p.text += QString(qMax(1, attr(u"text:c"_s).toInt()), u' ');
            else if (m_xml.name() == u"tab")
                p.text += u'\t';
            else if (m_xml.name() == u"line-break")
                p.text += u'\n';
            else if (m_xml.name() == u"page-number")
                p.text += u"<page>"_s;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            p.text += m_xml.text();
            break;
        default:
            break;
        }
    }
    // A page number shows its value; the marker above stands for it.
    p.text.replace(QRegularExpression(u"<page>\\d*"_s), u"<page>"_s);
    return p;
}

void Reading::readNote(Paragraph &around, QList<Note> &notes)
{
    Note note;
    note.kind = m_xml.name() == u"annotation" ? u"annotation"_s : attr(u"text:note-class"_s);
    const qsizetype at = notes.size();
    notes.append(note);
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"note-citation") {
            around.text += m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (m_xml.qualifiedName() == u"dc:creator") {
            notes[at].kind += u" by "_s + m_xml.readElementText();
        } else if (m_xml.name() == u"p" && notes[at].kind.startsWith(u"annotation")) {
            notes[at].paragraphs.append(readParagraph(notes));
        } else if (m_xml.name() == u"note-body") {
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == u"p" || m_xml.name() == u"h") {
                    const Paragraph p = readParagraph(notes);
                    notes[at].paragraphs.append(p);
                } else {
                    m_xml.skipCurrentElement();
                }
            }
        } else {
            m_xml.skipCurrentElement();
        }
    }
}

QString Reading::styleName(const QString &name) const
{
    const Style s = m_styles.value(u"paragraph/"_s + name);
    if (s.automatic)
        return styleName(s.parent);
    return s.display.isEmpty() ? name : s.display;
}

QString Reading::fontOf(const Paragraph &p) const
{
    QString font;
    QString size;
    const auto take = [&font, &size](const Style &s) {
        if (font.isEmpty())
            font = s.font;
        if (size.isEmpty())
            size = s.size;
    };
    if (!p.span.isEmpty())
        take(m_styles.value(u"text/"_s + p.span));
    QString name = p.style;
    for (int guard = 0; !name.isEmpty() && guard < 50; ++guard) {
        const Style s = m_styles.value(u"paragraph/"_s + name);
        take(s);
        name = s.parent;
    }
    take(m_styles.value(u"paragraph/"_s));
    return font + u' ' + size;
}

QString Reading::storyLine(const QString &kind, const Paragraph &p) const
{
    return u"%1: \"%2\" %3"_s.arg(kind, p.text, fontOf(p));
}

QStringList Reading::read()
{
    bool automatic = false;
    bool body = false;
    bool first = true;
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView q = m_xml.qualifiedName();
        if (q == u"office:automatic-styles") {
            automatic = true;
        } else if (q == u"office:styles") {
            automatic = false;
        } else if (q == u"style:style") {
            readStyle(automatic);
        } else if (q == u"style:default-style") {
            m_style = &m_styles[attr(u"style:family"_s) + u'/'];
        } else if (q == u"style:text-properties" && m_style) {
            if (m_xml.attributes().hasAttribute(u"style:font-name"_s))
                m_style->font = attr(u"style:font-name"_s);
            if (m_xml.attributes().hasAttribute(u"fo:font-size"_s))
                m_style->size = attr(u"fo:font-size"_s);
        } else if (q == u"style:page-layout") {
            readPageLayout();
        } else if (q == u"style:master-page") {
            readMasterPage();
        } else if (q == u"dc:title" || q == u"dc:subject" || q == u"meta:initial-creator" || q == u"meta:keyword") {
            m_info.append(u"info %1: \"%2\""_s.arg(m_xml.name(), m_xml.readElementText()));
        } else if (q == u"office:text") {
            body = true;
        } else if (body && (q == u"text:p" || q == u"text:h")) {
            QList<Note> notes;
            const Paragraph p = readParagraph(notes);
            QString master = m_styles.value(u"paragraph/"_s + p.style).master;
            // The body starts on the default page style unless it names one.
            if (master.isEmpty() && std::exchange(first, false))
                master = u"Standard"_s;
            first = false;
            if (!master.isEmpty())
                m_out += m_masters.value(master, {u"page "_s + master + u" (none such)"_s});
            m_out.append(u"paragraph %1: \"%2\""_s.arg(styleName(p.style), p.text));
            for (const Note &note : std::as_const(notes)) {
                for (const Paragraph &np : note.paragraphs)
                    m_out.append(storyLine(note.kind, np));
            }
        }
    }
    if (m_xml.hasError())
        return {u"error: "_s + m_xml.errorString()};
    return m_info + m_out;
}

} // namespace

QStringList libreOfficeReading(const QByteArray &fodt)
{
    return Reading(fodt).read();
}

} // namespace kelmora::formats::test
