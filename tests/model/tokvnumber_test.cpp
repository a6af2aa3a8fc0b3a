#include "answers.h"

#include <QTest>

class ToKvNumberTest : public QObject {
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // The written examples; the steps give their true value, so these must not move.
        QTest::newRow("12.5") << QStringLiteral("12.5") << QStringLiteral(" 1.25000000000000E+0001");
        QTest::newRow("123") << QStringLiteral("123") << QStringLiteral(" 1.23000000000000E+0002");
        QTest::newRow("-0.05") << QStringLiteral("-0.05") << QStringLiteral("-5.00000000000000E-0002");
        QTest::newRow("0.123") << QStringLiteral("0.123") << QStringLiteral(" 1.23000000000000E-0001");
        QTest::newRow("7") << QStringLiteral("7") << QStringLiteral(" 7.00000000000000E+0000");
        QTest::newRow("0") << QStringLiteral("0") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow("-12.5") << QStringLiteral("-12.5") << QStringLiteral("-1.25000000000000E+0001");
        QTest::newRow("0.004") << QStringLiteral("0.004") << QStringLiteral(" 4.00000000000000E-0003");
        QTest::newRow("1234567890, ten characters") << QStringLiteral("1234567890")
                                                    << QStringLiteral(" 1.23456789000000E+0009");
        QTest::newRow("5.") << QStringLiteral("5.") << QStringLiteral(" 5.00000000000000E+0000");
        QTest::newRow("100") << QStringLiteral("100") << QStringLiteral(" 1.00000000000000E+0002");
        QTest::newRow("12.50") << QStringLiteral("12.50") << QStringLiteral(" 1.25000000000000E+0001");
        QTest::newRow("-0.5") << QStringLiteral("-0.5") << QStringLiteral("-5.00000000000000E-0001");

        // Texts the written steps get wrong: the true value instead.
        QTest::newRow("13 digits keep their magnitude") << QStringLiteral("1234567890123")
                                                        << QStringLiteral(" 1.23456789012300E+0012");
        QTest::newRow("mantissa cut at 15 digits") << QStringLiteral("1234567890123456789")
                                                   << QStringLiteral(" 1.23456789012345E+0018");
        QTest::newRow("long fraction cut, not rounded") << QStringLiteral("0.99999999999999999")
                                                        << QStringLiteral(" 9.99999999999999E-0001");
        QTest::newRow("05") << QStringLiteral("05") << QStringLiteral(" 5.00000000000000E+0000");
        QTest::newRow("010") << QStringLiteral("010") << QStringLiteral(" 1.00000000000000E+0001");
        QTest::newRow("05.5") << QStringLiteral("05.5") << QStringLiteral(" 5.50000000000000E+0000");
        QTest::newRow("00") << QStringLiteral("00") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow("-0") << QStringLiteral("-0") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow("0.0") << QStringLiteral("0.0") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow("0.000") << QStringLiteral("0.000") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow("-0.00") << QStringLiteral("-0.00") << QStringLiteral(" 0.00000000000000E+0000");
        QTest::newRow(".5") << QStringLiteral(".5") << QStringLiteral(" 5.00000000000000E-0001");
        QTest::newRow("-.25") << QStringLiteral("-.25") << QStringLiteral("-2.50000000000000E-0001");
        QTest::newRow("tiny") << QStringLiteral("0.0000000000012") << QStringLiteral(" 1.20000000000000E-0012");
        QTest::newRow("big negative") << QStringLiteral("-98765432109876.5") << QStringLiteral("-9.87654321098765E+0013");

        // Nothing that is not a number reaches the file as if it were one.
        QTest::newRow("empty") << QString() << QStringLiteral("/E");
        QTest::newRow("two points") << QStringLiteral("1.2.3") << QStringLiteral("/E");
        QTest::newRow("lone point") << QStringLiteral(".") << QStringLiteral("/E");
        QTest::newRow("lone minus") << QStringLiteral("-") << QStringLiteral("/E");
        QTest::newRow("not set") << QStringLiteral("/n") << QStringLiteral("/E");
    }
    void layout()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString before = text;
        const QString result = ToKvNumber(text);
        QCOMPARE(result, expected);
        QCOMPARE(text, before);
        if (expected != QStringLiteral("/E"))
            QCOMPARE(result.size(), 23);
    }

    // Every number text gives 23 characters whose value is the text's value, to 15 digits.
    void layout_keepsTheValue()
    {
        const QStringList texts = {QStringLiteral("3.14159"), QStringLiteral("-2718.28"), QStringLiteral("0.000123"),
                                   QStringLiteral("99999"),   QStringLiteral("1000000000000"), QStringLiteral("-0.1")};
        for (const QString& t : texts) {
            const QString kv = ToKvNumber(t);
            QCOMPARE(kv.size(), 23);
            bool ok = false;
            const double back = kv.trimmed().toDouble(&ok);
            QVERIFY2(ok, qPrintable(kv));
            QCOMPARE(back, t.toDouble());
        }
    }
};

QTEST_GUILESS_MAIN(ToKvNumberTest)
#include "tokvnumber_test.moc"
