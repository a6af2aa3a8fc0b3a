#include "codepage.h"
#include "mechanisms.h"

#include <QTest>

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void kvFileBytes_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no lines") << QStringList() << QByteArray();
        QTest::newRow("each line ends with CR LF, empty ones too")
            << QStringList{QStringLiteral("y"), QStringLiteral(" "), QString(), QStringLiteral("n")}
            << QByteArray("y\r\n \r\n\r\nn\r\n");
        QTest::newRow("_Массы") << QStringList{QStringLiteral("_Массы")} << QByteArray::fromHex("5F8CA0E1E1EB0D0A");
        QTest::newRow("Latin, digits and signs keep their codes")
            << QStringList{QStringLiteral(" -1.25E+0001,_Aaz~")} << QByteArray(" -1.25E+0001,_Aaz~\r\n");
        QTest::newRow("outside the code page") << QStringList{QStringLiteral("a\u00E9\u4E2Db")} << QByteArray("a??b\r\n");
        QTest::newRow("a character beyond 16 bits is one question mark")
            << QStringList{QStringLiteral("x\U0001F600y")} << QByteArray("x?y\r\n");
        QTest::newRow("a lone surrogate half") << QStringList{QString(QChar(0xD800))} << QByteArray("?\r\n");
    }
    void kvFileBytes()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QCOMPARE(::kvFileBytes(lines), bytes);
    }

    void upperHalf_data() { testmech::addRows(QStringLiteral("cp1251.cases")); }
    void upperHalf()
    {
        QFETCH(QString, code);
        QFETCH(QString, character);
        QFETCH(QString, kv);
        const QByteArray byte = QByteArray::fromHex(code.toLatin1());
        const QString text{QChar(char16_t(character.toUInt(nullptr, 16)))};
        QCOMPARE(fromCp1251(byte), character.isEmpty() ? QStringLiteral("?") : text);
        if (character.isEmpty())
            return;
        QCOMPARE(cp1251Code(text[0].unicode()), code.toInt(nullptr, 16));
        QCOMPARE(toCp1251(text), byte);
        QCOMPARE(kvByte(static_cast<unsigned char>(byte[0])), QByteArray::fromHex(kv.toLatin1())[0]);
        QCOMPARE(toKvBytes(text), QByteArray::fromHex(kv.toLatin1()));
    }
};

QTEST_APPLESS_MAIN(CodePageTest)
#include "codepage_test.moc"
