// The whole-number conversion behind the size box and the paragraph dialog.

#include "base/Exceptions.h"
#include "base/IntConvert.h"

#include <QTest>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestIntConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accepts_data();
    void accepts();
    void refuses_data();
    void refuses();
    void messageQuotesTheTextAsGiven();
};

void TestIntConvert::accepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << u"12"_s << 12;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("leading zeros") << u"007"_s << 7;
    QTest::newRow("leading blanks") << u"   42"_s << 42;
    QTest::newRow("leading tab") << u"\t5"_s << 5;
    QTest::newRow("plus") << u"+8"_s << 8;
    QTest::newRow("minus") << u"-15"_s << -15;
    QTest::newRow("blanks then sign") << u"  -3"_s << -3;
    QTest::newRow("dollar hex") << u"$1F"_s << 31;
    QTest::newRow("x hex") << u"x10"_s << 16;
    QTest::newRow("X hex") << u"XfF"_s << 255;
    QTest::newRow("0x hex") << u"0x7fffffff"_s << 2147483647;
    QTest::newRow("0X hex") << u"0X0"_s << 0;
    QTest::newRow("negative hex") << u"-$10"_s << -16;
    QTest::newRow("int max") << u"2147483647"_s << 2147483647;
    QTest::newRow("int min") << u"-2147483648"_s << int(-2147483648LL);
    QTest::newRow("hex int min") << u"-$80000000"_s << int(-2147483648LL);
    QTest::newRow("many leading zeros") << u"0000000000000000000001"_s << 1;
}

void TestIntConvert::accepts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(strToInt(text), value);
    QCOMPARE(tryStrToInt(text).value_or(-999), value);
}

void TestIntConvert::refuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u"   "_s;
    QTest::newRow("sign only") << u"-"_s;
    QTest::newRow("trailing blank") << u"12 "_s;
    QTest::newRow("decimal comma") << u"1,5"_s;
    QTest::newRow("decimal point") << u"1.5"_s;
    QTest::newRow("letter") << u"1a"_s;
    QTest::newRow("two signs") << u"+-1"_s;
    QTest::newRow("sign after blank after sign") << u"- 1"_s;
    QTest::newRow("hex prefix only") << u"$"_s;
    QTest::newRow("0x only") << u"0x"_s;
    QTest::newRow("hex digit in decimal") << u"1F"_s;
    QTest::newRow("above int max") << u"2147483648"_s;
    QTest::newRow("below int min") << u"-2147483649"_s;
    QTest::newRow("hex above int max") << u"$80000000"_s;
    QTest::newRow("hex all ones") << u"$FFFFFFFF"_s;
    QTest::newRow("huge") << u"99999999999999999999999"_s;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662");
    QTest::newRow("fullwidth digit") << QString::fromUtf8("\uFF11");
    QTest::newRow("dotless i") << QString::fromUtf8("ı");
}

void TestIntConvert::refuses()
{
    QFETCH(QString, text);
    QVERIFY(!tryStrToInt(text).has_value());
    QVERIFY_THROWS_EXCEPTION(EConvertError, strToInt(text));
}

void TestIntConvert::messageQuotesTheTextAsGiven()
{
    const auto message = [](const QString &text) {
        try {
            strToInt(text);
        } catch (const EConvertError &e) {
            return QString::fromStdString(e.message());
        }
        return QString();
    };
    QCOMPARE(message(QString()), u"'' is not a valid integer value"_s);
    QCOMPARE(message(u" 1,5"_s), u"' 1,5' is not a valid integer value"_s);
    QCOMPARE(message(u"çğ"_s), u"'çğ' is not a valid integer value"_s);
}

QTEST_APPLESS_MAIN(TestIntConvert)
#include "tst_intconvert.moc"
