#include "TextDocument.h"

#include <QHash>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>

namespace kelmora::model {

namespace {

// Qt copies a selection through a document of its own, whose lists are Qt's:
// a slice of this many paragraphs keeps their cost small and the copy linear.
constexpr int SliceParagraphs = 64;

// Where the copy is cut into slices: at the paragraph end before a paragraph
// of the top level that follows another such paragraph, never in a table or
// next to one. The first cut is the start, the last the end.
QList<int> cuts(const QTextDocument &doc)
{
    QList<int> at{0};
    int paragraphs = 0;
    bool afterParagraph = false;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid()) { // a table or frame
            afterParagraph = false;
            ++paragraphs;
            continue;
        }
        if (afterParagraph && paragraphs >= SliceParagraphs) {
            at.append(block.position() - 1);
            paragraphs = 0;
        }
        afterParagraph = true;
        ++paragraphs;
    }
    at.append(doc.characterCount() - 1);
    return at;
}

// Each slice brought list objects of its own; paragraphs that share a list in
// doc share one in copy again (paragraph n of copy is paragraph n of doc).
void joinLists(const QTextDocument &doc, QTextDocument &copy)
{
    QHash<const QTextList *, QTextList *> joined;
    QTextBlock to = copy.begin();
    for (QTextBlock from = doc.begin(); from.isValid() && to.isValid(); from = from.next(), to = to.next()) {
        const QTextList *original = from.textList();
        QTextList *list = to.textList();
        if (!original || !list)
            continue;
        QTextList *&into = joined[original];
        if (!into) {
            into = list;
            continue;
        }
        if (into == list)
            continue;
        QList<QTextBlock> items;
        items.reserve(list->count());
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i));
        // The emptied list deletes itself.
        for (const QTextBlock &item : std::as_const(items))
            into->add(item);
    }
}

void copySettings(const QTextDocument &doc, QTextDocument &copy)
{
    for (const auto which : {QTextDocument::DocumentTitle, QTextDocument::DocumentUrl, QTextDocument::CssMedia})
        copy.setMetaInformation(which, doc.metaInformation(which));
    copy.setPageSize(doc.pageSize());
    copy.setIndentWidth(doc.indentWidth());
    copy.setDefaultTextOption(doc.defaultTextOption());
    copy.setDefaultFont(doc.defaultFont());
    copy.setDefaultStyleSheet(doc.defaultStyleSheet());
    copy.setUseDesignMetrics(doc.useDesignMetrics());
    copy.setBaseUrl(doc.baseUrl());
}

void copyContent(const QTextDocument &doc, QTextDocument &copy)
{
    QTextCursor source(const_cast<QTextDocument *>(&doc));
    QTextCursor target(&copy);
    if (doc.isEmpty()) {
        // An empty document still has its one paragraph's formats.
        const QTextBlockFormat block = source.blockFormat();
        if (block.isValid() && !block.isEmpty())
            target.setBlockFormat(block);
        const QTextCharFormat chars = source.blockCharFormat();
        if (chars.isValid() && !chars.isEmpty())
            target.setBlockCharFormat(chars);
        return;
    }
    const QList<int> at = cuts(doc);
    for (qsizetype i = 0; i + 1 < at.size(); ++i) {
        source.setPosition(at.at(i));
        source.setPosition(at.at(i + 1), QTextCursor::KeepAnchor);
        target.movePosition(QTextCursor::End);
        target.insertFragment(source.selection());
    }
    joinLists(doc, copy);
}

} // namespace

std::unique_ptr<TextDocument> copyDocument(const QTextDocument &doc)
{
    auto copy = std::make_unique<TextDocument>();
    copy->setUndoRedoEnabled(false);
    copySettings(doc, *copy);
    copyContent(doc, *copy);
    copy->rootFrame()->setFrameFormat(doc.rootFrame()->frameFormat());
    copy->setUndoRedoEnabled(true);
    copy->setModified(false);
    // Qt's public API cannot list a document's resources; the copy asks doc
    // for those it lacks.
    copy->setResourceProvider([source = QPointer<QTextDocument>(const_cast<QTextDocument *>(&doc))](const QUrl &name) {
        return source ? source->resource(QTextDocument::UserResource, name) : QVariant();
    });
    return copy;
}

} // namespace kelmora::model
