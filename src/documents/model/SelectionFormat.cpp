#include "SelectionFormat.h"

#include "QtTextData.h"

#include <QTextDocument>

#include <vector>

namespace kelmora::model {

namespace {

SelectionLook lookOf(const QTextCharFormat &first, FontStyles styles, const QTextDocument &doc)
{
    return {faceName(first, doc), wholePoints(first, doc), styles, colourOf(first)};
}

SelectionLook caretLook(const QTextDocument &doc, int position)
{
    QTextCursor caret(const_cast<QTextDocument *>(&doc));
    caret.setPosition(position);
    const QTextCharFormat f = caret.charFormat();
    return lookOf(f, stylesOf(f), doc);
}

// Judges the formats of a selection's fragments in document order: the first
// one's look, and the styles all of them have. Each distinct format is judged
// once; the walk stops as soon as no style is common.
class StyleJudge final : public qtdata::FormatVisitor {
public:
    explicit StyleJudge(const QTextDocument &doc) : m_formats(doc.allFormats()) {}

    bool visit(int index) override
    {
        if (index >= 0 && std::size_t(index) < m_judged.size() && m_judged[std::size_t(index)])
            return true;
        if (index >= 0) {
            if (std::size_t(index) >= m_judged.size())
                m_judged.resize(std::size_t(index) + 1, false);
            m_judged[std::size_t(index)] = true;
        }
        const QTextCharFormat format =
            index >= 0 && index < m_formats.size() ? m_formats.at(index).toCharFormat() : QTextCharFormat();
        if (!m_first)
            m_first = format;
        m_common &= stylesOf(format);
        return bool(m_common);
    }

    std::optional<SelectionLook> look(const QTextDocument &doc) const
    {
        if (!m_first)
            return std::nullopt;
        return lookOf(*m_first, m_common, doc);
    }

private:
    const QList<QTextFormat> m_formats;
    std::optional<QTextCharFormat> m_first;
    FontStyles m_common = AllStyles;
    std::vector<bool> m_judged;
};

} // namespace

SelectionLook selectionLook(const QTextCursor &cursor)
{
    const QTextDocument *doc = cursor.document();
    if (!doc)
        return {};
    if (!cursor.hasSelection()) {
        const QTextCharFormat f = cursor.charFormat();
        return lookOf(f, stylesOf(f), *doc);
    }
    const int start = cursor.selectionStart();
    StyleJudge judge(*doc);
    qtdata::walkFormats(*doc, start, cursor.selectionEnd(), judge);
    if (const auto look = judge.look(*doc))
        return *look;
    return caretLook(*doc, start);
}

} // namespace kelmora::model
