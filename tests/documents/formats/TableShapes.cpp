#include "TableShapes.h"

#include "model/TableFormat.h"

#include <QFile>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QXmlStreamReader>

#include <cmath>
#include <functional>

namespace kelmora::formats::test {

namespace {

struct Cell {
    QStringList parts; // paragraph texts and "[table N]"
    int rows = 1;
    int columns = 1;
};

struct Table {
    int number = 0;
    int parent = 0; // 0: in the body
    QList<double> widths;
    QList<QList<Cell>> rows;
};

QString describe(const QList<Table> &tables)
{
    QString out;
    for (const Table &t : tables) {
        out += QStringLiteral("table %1").arg(t.number);
        if (t.parent > 0)
            out += QStringLiteral(" in table %1").arg(t.parent);
        out += QStringLiteral(", %1 columns:").arg(t.widths.size());
        double total = 0;
        for (double w : t.widths)
            total += w;
        for (double w : t.widths)
            out += QStringLiteral(" %1%").arg(total > 0 ? std::lround(100 * w / total) : 0);
        out += u'\n';
        for (const QList<Cell> &row : t.rows) {
            QStringList cells;
            for (const Cell &c : row) {
                QString s = u'"' + c.parts.join(u'¶') + u'"';
                if (c.rows > 1 && c.columns > 1)
                    s += QStringLiteral(" (%1 rows, %2 columns)").arg(c.rows).arg(c.columns);
                else if (c.rows > 1)
                    s += QStringLiteral(" (%1 rows)").arg(c.rows);
                else if (c.columns > 1)
                    s += QStringLiteral(" (%1 columns)").arg(c.columns);
                cells.append(s);
            }
            out += QStringLiteral("  ") + cells.join(QStringLiteral(" | ")) + u'\n';
        }
    }
    return out;
}

// ---- our documents ---------------------------------------------------------

class DocumentWalk {
public:
    explicit DocumentWalk(QList<Table> &tables) : m_tables(tables) {}

    void table(const QTextTable &t, int parent)
    {
        const int number = int(m_tables.size()) + 1;
        m_tables.append(Table{number, parent, {}, {}});
        const model::TableGeometry g = model::tableGeometry(t);
        QList<double> widths;
        for (int c = 0; c < g.columns(); ++c)
            widths.append(g.boundaries.at(c + 1) - g.boundaries.at(c));
        QList<QList<Cell>> rows;
        for (int r = 0; r < t.rows(); ++r) {
            QList<Cell> row;
            for (int c = 0; c < t.columns(); ++c) {
                const QTextTableCell cell = t.cellAt(r, c);
                if (cell.row() != r || cell.column() != c || model::isFiller(cell.format().toTableCellFormat()))
                    continue;
                Cell out;
                out.rows = cell.rowSpan();
                out.columns = cell.columnSpan();
                content(cell.begin(), out.parts, number);
                row.append(out);
            }
            rows.append(row);
        }
        m_tables[number - 1].widths = widths;
        m_tables[number - 1].rows = rows;
    }

    void content(QTextFrame::iterator it, QStringList &parts, int parent)
    {
        bool first = true;
        bool afterTable = false;
        while (!it.atEnd()) {
            QTextFrame::iterator next = it;
            ++next;
            const auto *nested = qobject_cast<const QTextTable *>(it.currentFrame());
            if (nested) {
                parts.append(QStringLiteral("[table %1]").arg(m_tables.size() + 1));
                table(*nested, parent);
            } else if (!it.currentFrame()) {
                const QTextBlock b = it.currentBlock();
                const bool beforeTable = !next.atEnd() && qobject_cast<const QTextTable *>(next.currentFrame());
                if (!(model::isStructural(b) && beforeTable && (first || afterTable)))
                    parts.append(b.text());
            }
            afterTable = nested != nullptr;
            first = false;
            it = next;
        }
    }

private:
    QList<Table> &m_tables;
};

// ---- LibreOffice's flat ODT ------------------------------------------------

constexpr QLatin1StringView TableNs("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
constexpr QLatin1StringView TextNs("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
constexpr QLatin1StringView StyleNs("urn:oasis:names:tc:opendocument:xmlns:style:1.0");

double lengthInInches(QStringView v)
{
    static const QHash<QString, double> perInch{{QStringLiteral("in"), 1}, {QStringLiteral("cm"), 2.54},
                                                {QStringLiteral("mm"), 25.4}, {QStringLiteral("pt"), 72}};
    for (auto it = perInch.cbegin(); it != perInch.cend(); ++it) {
        if (v.endsWith(it.key()))
            return v.chopped(it.key().size()).toDouble() / it.value();
    }
    return 0;
}

class OdtWalk {
public:
    OdtWalk(QXmlStreamReader &xml, QList<Table> &tables) : m_xml(xml), m_tables(tables) {}

    bool run()
    {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (!m_xml.isStartElement())
                continue;
            if (m_xml.namespaceUri() == StyleNs && m_xml.name() == u"style")
                m_style = m_xml.attributes().value(StyleNs, QLatin1StringView("name")).toString();
            else if (m_xml.namespaceUri() == StyleNs && m_xml.name() == u"table-column-properties")
                columnStyle();
            else if (m_xml.namespaceUri() == TableNs && m_xml.name() == u"table")
                table(0);
        }
        return !m_xml.hasError();
    }

private:
    void columnStyle()
    {
        const auto a = m_xml.attributes();
        if (!a.value(StyleNs, QLatin1StringView("column-width")).isNull())
            m_widths[m_style] = lengthInInches(a.value(StyleNs, QLatin1StringView("column-width")));
        else if (!a.value(StyleNs, QLatin1StringView("rel-column-width")).isNull())
            m_widths[m_style] = a.value(StyleNs, QLatin1StringView("rel-column-width")).chopped(1).toDouble();
    }

    void table(int parent)
    {
        const int number = int(m_tables.size()) + 1;
        m_tables.append(Table{number, parent, {}, {}});
        QList<double> widths;
        QList<QList<Cell>> rows;
        tableParts(number, widths, rows);
        m_tables[number - 1].widths = widths;
        m_tables[number - 1].rows = rows;
    }

    // Columns and rows, also inside the groups of them ODT has.
    void tableParts(int number, QList<double> &widths, QList<QList<Cell>> &rows)
    {
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (m_xml.namespaceUri() != TableNs) {
                m_xml.skipCurrentElement();
            } else if (name == u"table-column") {
                const auto a = m_xml.attributes();
                const int n = qMax(1, a.value(TableNs, QLatin1StringView("number-columns-repeated")).toInt());
                for (int i = 0; i < n; ++i)
                    widths.append(m_widths.value(a.value(TableNs, QLatin1StringView("style-name")).toString()));
                m_xml.skipCurrentElement();
            } else if (name == u"table-row") {
                rows.append(row(number));
            } else if (name == u"table-rows" || name == u"table-header-rows" || name == u"table-columns" ||
                       name == u"table-header-columns" || name == u"table-column-group") {
                tableParts(number, widths, rows);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    QList<Cell> row(int table)
    {
        QList<Cell> cells;
        while (m_xml.readNextStartElement()) {
            if (m_xml.namespaceUri() == TableNs && m_xml.name() == u"table-cell") {
                const auto a = m_xml.attributes();
                Cell c;
                c.rows = qMax(1, a.value(TableNs, QLatin1StringView("number-rows-spanned")).toInt());
                c.columns = qMax(1, a.value(TableNs, QLatin1StringView("number-columns-spanned")).toInt());
                cellContent(c, table);
                cells.append(c);
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return cells;
    }

    void cellContent(Cell &c, int table)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.namespaceUri() == TableNs && m_xml.name() == u"table") {
                c.parts.append(QStringLiteral("[table %1]").arg(m_tables.size() + 1));
                this->table(table);
            } else if (m_xml.namespaceUri() == TextNs && (m_xml.name() == u"p" || m_xml.name() == u"h")) {
                c.parts.append(paragraphText());
            } else if (m_xml.namespaceUri() == TextNs &&
                       (m_xml.name() == u"list" || m_xml.name() == u"list-item" || m_xml.name() == u"section")) {
                cellContent(c, table);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    QString paragraphText()
    {
        QString text;
        int depth = 1;
        while (depth > 0 && !m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isCharacters()) {
                text += m_xml.text();
            } else if (m_xml.isStartElement()) {
                ++depth;
                if (m_xml.namespaceUri() == TextNs && m_xml.name() == u"s")
                    text += QString(qMax(1, m_xml.attributes().value(TextNs, QLatin1StringView("c")).toInt()), u' ');
                else if (m_xml.namespaceUri() == TextNs && m_xml.name() == u"tab")
                    text += u'\t';
                else if (m_xml.namespaceUri() == TextNs && m_xml.name() == u"line-break")
                    text += QChar::LineSeparator;
            } else if (m_xml.isEndElement()) {
                --depth;
            }
        }
        return text;
    }

    QXmlStreamReader &m_xml;
    QList<Table> &m_tables;
    QHash<QString, double> m_widths;
    QString m_style;
};

} // namespace

QString tableShapes(const QTextDocument &doc)
{
    QList<Table> tables;
    QStringList ignored;
    DocumentWalk(tables).content(doc.rootFrame()->begin(), ignored, 0);
    return describe(tables);
}

QString odtTableShapes(const QString &fodtPath)
{
    QFile f(fodtPath);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QXmlStreamReader xml(&f);
    QList<Table> tables;
    if (!OdtWalk(xml, tables).run())
        return QString();
    return describe(tables);
}

} // namespace kelmora::formats::test
