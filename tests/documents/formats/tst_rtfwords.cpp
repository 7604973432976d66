// The property words on their own: what the document, character and
// paragraph words do to the state they change, applied in the order given,
// and which words each of them refuses.

#include "formats/rtf/RtfProperties.h"
#include "formats/rtf/RtfTokenizer.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace kelmora::formats;

class TestRtfWords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void documentWords_data();
    void documentWords();
    void characterWords_data();
    void characterWords();
    void paragraphWords_data();
    void paragraphWords();
};

namespace {

// Applies every control word in words; false when one of them was refused.
bool applyAll(QByteArrayView words, const std::function<bool(Kw, const RtfToken &)> &apply)
{
    RtfTokenizer tokens(words);
    bool all = true;
    for (RtfToken t = tokens.next(); t.kind != RtfToken::End; t = tokens.next()) {
        if (t.kind == RtfToken::Word)
            all = apply(lookupWord(t.word), t) && all;
    }
    return all;
}

QString describe(const RtfDocumentSettings &s)
{
    return u"cp=%1 deff=%2"_s.arg(s.codePage).arg(s.defaultFont);
}

QString describe(const CharState &c)
{
    return u"f=%1 hp=%2 b=%3 i=%4 u=%5 s=%6 cf=%7 hl=%8 v=%9 ef=%10 ehp=%11 mode=%12"_s.arg(c.font)
        .arg(c.halfPoints)
        .arg(int(c.bold))
        .arg(int(c.italic))
        .arg(int(c.underline))
        .arg(int(c.strike))
        .arg(c.colour)
        .arg(c.highlight)
        .arg(int(c.vertical))
        .arg(c.eastFont)
        .arg(c.eastHalfPoints)
        .arg(int(c.mode));
}

QString describe(const ParaState &p)
{
    return u"align=%1 fi=%2 li=%3 ri=%4 ls=%5 ilvl=%6 pn=%7 intbl=%8"_s.arg(int(p.align))
        .arg(p.fi)
        .arg(p.li)
        .arg(p.ri)
        .arg(p.ls)
        .arg(p.ilvl)
        .arg(int(p.pn))
        .arg(int(p.inTable));
}

const QString PlainChar = describe(CharState());

// The default character state with some fields given as "name=value".
QString charWith(const QString &changes)
{
    QStringList fields = PlainChar.split(u' ');
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = change.section(u'=', 0, 0) + u'=';
        for (QString &f : fields) {
            if (f.startsWith(name))
                f = change;
        }
    }
    return fields.join(u' ');
}

} // namespace

void TestRtfWords::documentWords_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing: Windows-1252, no default font") << QByteArray() << true << u"cp=1252 deff=-1"_s;
    QTest::newRow("ansicpg") << QByteArray("\\ansi\\ansicpg1254") << true << u"cp=1254 deff=-1"_s;
    QTest::newRow("ansi after ansicpg resets") << QByteArray("\\ansicpg932\\ansi") << true << u"cp=1252 deff=-1"_s;
    QTest::newRow("mac") << QByteArray("\\mac") << true << u"cp=10000 deff=-1"_s;
    QTest::newRow("pc") << QByteArray("\\pc") << true << u"cp=437 deff=-1"_s;
    QTest::newRow("pca") << QByteArray("\\pca") << true << u"cp=850 deff=-1"_s;
    QTest::newRow("ansicpg without a page keeps the last")
        << QByteArray("\\ansicpg1251\\ansicpg0\\ansicpg-5\\ansicpg") << true << u"cp=1251 deff=-1"_s;
    QTest::newRow("deff") << QByteArray("\\deff3") << true << u"cp=1252 deff=3"_s;
    QTest::newRow("deff without number is font 0") << QByteArray("\\deff") << true << u"cp=1252 deff=0"_s;
    QTest::newRow("character words are not document words") << QByteArray("\\plain\\f2") << false
                                                           << u"cp=1252 deff=-1"_s;
}

void TestRtfWords::documentWords()
{
    QFETCH(QByteArray, words);
    QFETCH(bool, accepted);
    QFETCH(QString, expected);
    RtfDocumentSettings settings;
    const bool all = applyAll(words, [&](Kw k, const RtfToken &t) { return applyDocumentWord(settings, k, t); });
    QCOMPARE(all, accepted);
    QCOMPARE(describe(settings), expected);
}

void TestRtfWords::characterWords_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bold, italic, strike on") << QByteArray("\\b\\i\\strike") << true << charWith(u"b=1 i=1 s=1"_s);
    QTest::newRow("a zero switches off") << QByteArray("\\b\\i\\strike\\b0\\i0\\strike0") << true << PlainChar;
    QTest::newRow("a number other than zero switches on") << QByteArray("\\b2\\striked1") << true
                                                          << charWith(u"b=1 s=1"_s);
    QTest::newRow("underline variants") << QByteArray("\\uldb") << true << charWith(u"u=1"_s);
    QTest::newRow("wavy underline, then none") << QByteArray("\\ulwave\\ulnone") << true << PlainChar;
    QTest::newRow("ul0 switches off") << QByteArray("\\ul\\ul0") << true << PlainChar;
    QTest::newRow("size in half points") << QByteArray("\\fs21") << true << charWith(u"hp=21"_s);
    QTest::newRow("fs0 is the default size") << QByteArray("\\fs40\\fs0") << true << PlainChar;
    QTest::newRow("sizes clamped to 1..1638 pt") << QByteArray("\\fs1") << true << charWith(u"hp=2"_s);
    QTest::newRow("huge size") << QByteArray("\\fs999999") << true << charWith(u"hp=3276"_s);
    QTest::newRow("negative size is the default") << QByteArray("\\fs30\\fs-4") << true << PlainChar;
    QTest::newRow("font and colours") << QByteArray("\\f3\\cf2\\highlight4") << true << charWith(u"f=3 cf=2 hl=4"_s);
    QTest::newRow("background by cb and chcbpat") << QByteArray("\\cb5\\chcbpat6") << true << charWith(u"hl=6"_s);
    QTest::newRow("negative colour is auto") << QByteArray("\\cf3\\cf-1") << true << PlainChar;
    QTest::newRow("superscript, then normal") << QByteArray("\\super\\nosupersub") << true << PlainChar;
    QTest::newRow("subscript") << QByteArray("\\super\\sub") << true << charWith(u"v=2"_s);
    QTest::newRow("plain resets all, to the default font")
        << QByteArray("\\f2\\fs30\\b\\ul\\cf1\\super\\dbch\\af3\\plain") << true << PlainChar;
    QTest::newRow("dbch face and size") << QByteArray("\\dbch\\af5\\afs30") << true
                                        << charWith(u"ef=5 ehp=30 mode=1"_s);
    QTest::newRow("af and afs outside dbch are not East Asian")
        << QByteArray("\\loch\\af5\\hich\\af6\\afs40\\rtlch\\af7") << true << charWith(u"mode=2"_s);
    QTest::newRow("loch after dbch keeps the dbch face")
        << QByteArray("\\dbch\\af5\\loch\\f2") << true << charWith(u"f=2 ef=5"_s);
    QTest::newRow("fs after afs sizes East Asian text too")
        << QByteArray("\\dbch\\afs30\\fs20") << true << charWith(u"hp=20 mode=1"_s);
    QTest::newRow("paragraph and document words are not character words")
        << QByteArray("\\b\\pard\\qc\\ansi") << false << charWith(u"b=1"_s);
}

void TestRtfWords::characterWords()
{
    QFETCH(QByteArray, words);
    QFETCH(bool, accepted);
    QFETCH(QString, expected);
    CharState state;
    const bool all = applyAll(words, [&](Kw k, const RtfToken &t) { return applyCharacterWord(state, k, t); });
    QCOMPARE(all, accepted);
    QCOMPARE(describe(state), expected);
}

void TestRtfWords::paragraphWords_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("expected");

    const QString plain = describe(ParaState());
    QTest::newRow("centred") << QByteArray("\\qc") << true << u"align=1 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("right") << QByteArray("\\qr") << true << u"align=2 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("distributed reads as justified")
        << QByteArray("\\qd") << true << u"align=3 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("left after justified") << QByteArray("\\qj\\ql") << true << plain;
    QTest::newRow("indents") << QByteArray("\\fi-360\\li720\\ri100") << true
                             << u"align=0 fi=-360 li=720 ri=100 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("lin and rin are the same indents") << QByteArray("\\lin400\\rin50") << true
                                                      << u"align=0 fi=0 li=400 ri=50 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("indents clamped to 22 inches") << QByteArray("\\fi-99999\\li99999\\ri-99999") << true
                                                  << u"align=0 fi=-31680 li=31680 ri=-31680 ls=0 ilvl=0 pn=0 intbl=0"_s;
    QTest::newRow("list and level, level clamped to 8")
        << QByteArray("\\ls3\\ilvl12") << true << u"align=0 fi=0 li=0 ri=0 ls=3 ilvl=8 pn=0 intbl=0"_s;
    QTest::newRow("negative level") << QByteArray("\\ilvl-1") << true << plain;
    QTest::newRow("in a table, then not") << QByteArray("\\intbl\\intbl0") << true << plain;
    QTest::newRow("old-style bullet") << QByteArray("\\pnlvlblt") << true
                                      << u"align=0 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=1 intbl=0"_s;
    QTest::newRow("old-style numbering by level") << QByteArray("\\pnlvlblt\\pnlvl3") << true
                                                  << u"align=0 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=2 intbl=0"_s;
    QTest::newRow("continuation is no numbering") << QByteArray("\\pnlvlbody\\pnlvlcont") << true << plain;
    QTest::newRow("pard resets everything") << QByteArray("\\qc\\fi1\\li2\\ri3\\ls4\\ilvl1\\pnlvlblt\\intbl\\pard")
                                            << true << plain;
    QTest::newRow("marks and character words are not properties")
        << QByteArray("\\qr\\par\\cell\\b") << false << u"align=2 fi=0 li=0 ri=0 ls=0 ilvl=0 pn=0 intbl=0"_s;
}

void TestRtfWords::paragraphWords()
{
    QFETCH(QByteArray, words);
    QFETCH(bool, accepted);
    QFETCH(QString, expected);
    ParaState state;
    const bool all = applyAll(words, [&](Kw k, const RtfToken &t) { return applyParagraphWord(state, k, t); });
    QCOMPARE(all, accepted);
    QCOMPARE(describe(state), expected);
}

QTEST_GUILESS_MAIN(TestRtfWords)
#include "tst_rtfwords.moc"
