// Editing near what a document keeps but does not show: a note lives and dies
// with its mark (delete, undo, copy and paste), text typed after a mark is
// plain text, and the document's headers, page setup and styles stay as read.

#include "documents/RichEdit.h"
#include "formats/DocumentIO.h"
#include "model/KeptParts.h"
#include "model/TextDocument.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// "Bir" and a numbered footnote's mark "1", then " iki" and an "*" carrying
// an endnote: body text "Bir1 iki*".
const QByteArray Source = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
                          "\\paperw11906\\paperh16838\\margl1418"
                          "{\\header \\pard Antet\\par}"
                          "\\pard\\s1 Bir{\\super\\chftn{\\footnote\\pard {\\super\\chftn} Kaynak.}} iki*"
                          "{\\footnote\\ftnalt\\pard Son not.}\\par}";

// The texts of the notes whose marks are in the document, in text order.
QStringList noteTexts(const QTextDocument &doc)
{
    QStringList texts;
    QSet<const model::KeptNote *> seen;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            for (const model::Note &note : model::notesOf(it.fragment().charFormat())) {
                if (!seen.contains(note.get()))
                    texts.append(note->text->toPlainText().trimmed());
                seen.insert(note.get());
            }
        }
    }
    return texts;
}

void press(TRichEdit &e, Qt::Key key, const QString &text, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&e, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(&e, &up);
}

void select(TRichEdit &e, int start, int length)
{
    e.SetSelStart(start);
    e.SetSelLength(length);
}

} // namespace

class TestKeptEdits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notesFollowTheirMarks_data();
    void notesFollowTheirMarks();
    void documentPartsAreUntouchedByEditing();
};

void TestKeptEdits::notesFollowTheirMarks_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QString>("reread"); // the text read back from the saved file, when not text

    const QStringList both{u"1 Kaynak."_s, u"Son not."_s};
    QTest::newRow("as read") << u""_s << u"Bir1 iki*"_s << QStringList(both) << QString();
    QTest::newRow("Delete on the number") << u"at 3, Delete"_s << u"Bir iki*"_s << QStringList{u"Son not."_s} << QString();
    QTest::newRow("Backspace after the number") << u"at 4, Backspace"_s << u"Bir iki*"_s << QStringList{u"Son not."_s} << QString();
    QTest::newRow("Backspace after the star") << u"at 9, Backspace"_s << u"Bir1 iki"_s << QStringList{u"1 Kaynak."_s} << QString();
    QTest::newRow("a selection holding both marks") << u"select 2 7, Delete"_s << u"Bi"_s << QStringList() << QString();
    QTest::newRow("text beside the mark") << u"select 0 3, Delete"_s << u"1 iki*"_s << QStringList(both) << QString();
    QTest::newRow("undo brings the note back") << u"at 3, Delete, undo"_s << u"Bir1 iki*"_s << QStringList(both) << QString();
    QTest::newRow("undo after deleting both") << u"select 2 7, Delete, undo"_s << u"Bir1 iki*"_s << QStringList(both) << QString();
    QTest::newRow("redo deletes it again") << u"at 3, Delete, undo, redo"_s << u"Bir iki*"_s << QStringList{u"Son not."_s} << QString();
    // The pasted number shows as copied; the file numbers notes afresh.
    QTest::newRow("paste a number") << u"select 3 1, copy, at 9, paste"_s << u"Bir1 iki*1"_s
                                    << QStringList{u"1 Kaynak."_s, u"Son not."_s, u"1 Kaynak."_s} << u"Bir1 iki*2"_s;
    QTest::newRow("paste the star") << u"select 8 1, copy, at 0, paste"_s << u"*Bir1 iki*"_s
                                    << QStringList{u"Son not."_s, u"1 Kaynak."_s, u"Son not."_s} << QString();
    QTest::newRow("cut and paste moves it") << u"select 3 1, cut, at 7, paste"_s << u"Bir iki1*"_s
                                            << QStringList{u"1 Kaynak."_s, u"Son not."_s} << QString();
    QTest::newRow("typing after the number") << u"at 4, type x"_s << u"Bir1x iki*"_s << QStringList(both) << QString();
    QTest::newRow("typing after the star") << u"at 9, type x"_s << u"Bir1 iki*x"_s << QStringList(both) << QString();
}

// Each step of edit: "at N", "select N LEN", "Delete", "Backspace", "type
// TEXT", "copy", "cut", "paste", "undo", "redo". Afterwards the document
// holds exactly the notes whose marks survive, the saved file writes exactly
// those, and text typed after a mark carries no note.
void TestKeptEdits::notesFollowTheirMarks()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(QStringList, notes);
    QFETCH(QString, reread);

    TRichEdit e;
    formats::readRtf(*e.document(), Source);
    for (const QString &step : edit.split(u", "_s, Qt::SkipEmptyParts)) {
        const QStringList w = step.split(u' ');
        if (w[0] == u"at")
            select(e, w[1].toInt(), 0);
        else if (w[0] == u"select")
            select(e, w[1].toInt(), w[2].toInt());
        else if (w[0] == u"Delete")
            press(e, Qt::Key_Delete, u"\x7f"_s);
        else if (w[0] == u"Backspace")
            press(e, Qt::Key_Backspace, u"\b"_s);
        else if (w[0] == u"type")
            QTest::keyClicks(&e, w[1]);
        else if (w[0] == u"copy")
            e.copy();
        else if (w[0] == u"cut")
            e.cut();
        else if (w[0] == u"paste")
            e.paste();
        else if (w[0] == u"undo")
            e.undo();
        else if (w[0] == u"redo")
            e.redo();
        else
            QFAIL(qPrintable(u"unknown step "_s + step));
    }
    QCOMPARE(e.toPlainText(), text);
    QCOMPARE(noteTexts(*e.document()), notes);

    // What is saved: the notes of the marks there are, read back the same.
    const QByteArray saved = formats::toRtf(*e.document());
    QCOMPARE(saved.count("{\\footnote"), qsizetype(notes.size()));
    TRichEdit back;
    formats::readRtf(*back.document(), saved);
    QCOMPARE(back.toPlainText(), reread.isEmpty() ? text : reread);
    QCOMPARE(noteTexts(*back.document()).size(), notes.size());

    // Typed text is never part of a mark.
    const qsizetype typed = text.indexOf(u'x');
    if (typed >= 0) {
        QTextCursor c(e.document());
        c.setPosition(int(typed) + 1);
        QVERIFY(model::notesOf(c.charFormat()).isEmpty());
        QVERIFY(!model::isNoteNumber(c.charFormat()));
        QCOMPARE(c.charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);
    }
}

void TestKeptEdits::documentPartsAreUntouchedByEditing()
{
    TRichEdit e;
    formats::readRtf(*e.document(), Source);
    const QByteArray before = formats::toRtf(*e.document());
    const auto headOf = [](const QByteArray &rtf) { return rtf.left(rtf.indexOf("\n\\pard")); };
    QVERIFY(headOf(before).contains("{\\header "));
    QVERIFY(headOf(before).contains("\\paperw11906\\paperh16838\\margl1418"));
    QVERIFY(headOf(before).contains(" heading 1;}"));

    e.selectAll();
    press(e, Qt::Key_Delete, u"\x7f"_s);
    QTest::keyClicks(&e, u"yeni"_s);
    const QByteArray after = formats::toRtf(*e.document());
    QCOMPARE(headOf(after), headOf(before));
    QCOMPARE(e.toPlainText(), u"yeni"_s);

    // A new document keeps nothing.
    TRichEdit fresh;
    const model::KeptParts *kept = model::keptPartsOf(*fresh.document());
    QVERIFY(kept && kept->isEmpty());
}

QTEST_MAIN(TestKeptEdits)
#include "tst_keptedits.moc"
