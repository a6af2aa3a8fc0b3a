#include "files/codepage.h"
#include "tests/files/mechanisms.h"

#include <QTest>

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void kvFileBytes_data() { testmech::addRows(QStringLiteral("kvfilebytes.cases")); }
    void kvFileBytes()
    {
        QString lines = testmech::cell("lines");
        // "\uXXXX" stands for a character a data file cannot hold, a lone surrogate half among them.
        for (qsizetype at; (at = lines.indexOf(QStringLiteral("\\u"))) >= 0;)
            lines.replace(at, 6, QChar(char16_t(lines.mid(at + 2, 4).toUInt(nullptr, 16))));
        QCOMPARE(::kvFileBytes(lines.split(QLatin1Char(';'))), QByteArray::fromHex(testmech::cell("bytes").toLatin1()));
        QCOMPARE(::kvFileBytes({}), QByteArray());
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
