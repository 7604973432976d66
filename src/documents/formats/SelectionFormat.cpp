#include "SelectionFormat.h"

#include <QTextBlock>
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

// Walks the fragments overlapping [start, end). A block's fragments never
// include its paragraph end, and block positions are summed rather than asked
// for, since Qt finds a position by a search of its fragment tree.
class SelectionWalk {
public:
    SelectionWalk(const QTextDocument &doc, int start, int end) : m_doc(doc), m_start(start), m_end(end) {}

    std::optional<SelectionLook> run()
    {
        QTextBlock block = m_doc.findBlock(m_start);
        int blockStart = block.position();
        while (block.isValid() && blockStart < m_end) {
            if (!walkBlock(block, blockStart))
                break;
            blockStart += block.length();
            block = block.next();
        }
        if (!m_first)
            return std::nullopt;
        return lookOf(*m_first, m_common, m_doc);
    }

private:
    // False once the walk can stop: past the end, or no style left in common.
    bool walkBlock(const QTextBlock &block, int position)
    {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentStart = position;
            position += fragment.length();
            if (position <= m_start)
                continue;
            if (fragmentStart >= m_end)
                return false;
            if (!judge(fragment))
                return false;
        }
        return true;
    }

    bool judge(const QTextFragment &fragment)
    {
        const int index = fragment.charFormatIndex();
        if (index >= 0 && std::size_t(index) < m_judged.size() && m_judged[std::size_t(index)])
            return true;
        if (index >= 0) {
            if (std::size_t(index) >= m_judged.size())
                m_judged.resize(std::size_t(index) + 1, false);
            m_judged[std::size_t(index)] = true;
        }
        const QTextCharFormat format = fragment.charFormat();
        if (!m_first)
            m_first = format;
        m_common &= stylesOf(format);
        return bool(m_common);
    }

    const QTextDocument &m_doc;
    const int m_start;
    const int m_end;
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
    if (const auto look = SelectionWalk(*doc, start, cursor.selectionEnd()).run())
        return *look;
    return caretLook(*doc, start);
}

} // namespace kelmora::model
