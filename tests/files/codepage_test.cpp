#include "codepage.h"

#include <QTest>

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void kvLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("_Массы") << QStringLiteral("_Массы") << QByteArray::fromHex("5F8CA0E1E1EB0D0A");
        QTest::newRow("Latin, digits and signs keep their codes")
            << QStringLiteral(" -1.25E+0001,_Aaz") << QByteArray(" -1.25E+0001,_Aaz\r\n");
        QTest::newRow("empty line") << QString() << QByteArray("\r\n");
        QTest::newRow("Ё and ё keep their Windows codes") << QStringLiteral("Ёё") << QByteArray::fromHex("A8B80D0A");
        QTest::newRow("outside the code page") << QStringLiteral("a\u00E9\u4E2Db") << QByteArray("a??b\r\n");
        QTest::newRow("a character beyond 16 bits is one question mark")
            << QStringLiteral("x\U0001F600y") << QByteArray("x?y\r\n");
        QTest::newRow("a lone surrogate half") << QString(QChar(0xD800)) << QByteArray("?\r\n");
        QTest::newRow("the unassigned code 0x98 has no character") << QStringLiteral("\u0098") << QByteArray("?\r\n");
        QTest::newRow("other upper codes are not shifted")
            << QStringLiteral("\u2116\u20AC\u00A0\u0490") << QByteArray::fromHex("B988A0A50D0A");
    }
    void kvLine()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        QCOMPARE(kvFileBytes({line}), bytes);
    }

    void kvFile_linesEndWithCrLfAndNothingElse()
    {
        QCOMPARE(kvFileBytes({QStringLiteral("y"), QStringLiteral(" "), QString(), QStringLiteral("n")}),
                 QByteArray("y\r\n \r\n\r\nn\r\n"));
        QCOMPARE(kvFileBytes({}), QByteArray());
    }

    void everyCyrillicLetter_takesItsDosPosition_data()
    {
        QTest::addColumn<int>("letter");
        QTest::addColumn<int>("windows");
        QTest::addColumn<int>("kv");
        // А..Я and а..п are 0x80..0xAF in the DOS page, р..я 0xE0..0xEF.
        const QString upper = QStringLiteral("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        const QString lower = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъыьэюя");
        for (int i = 0; i < 32; ++i) {
            QTest::addRow("%s", QString(upper[i]).toUtf8().constData()) << int(upper[i].unicode()) << 0xC0 + i << 0x80 + i;
            QTest::addRow("%s", QString(lower[i]).toUtf8().constData())
                << int(lower[i].unicode()) << 0xE0 + i << (i < 16 ? 0xA0 + i : 0xE0 + (i - 16));
        }
    }
    void everyCyrillicLetter_takesItsDosPosition()
    {
        QFETCH(int, letter);
        QFETCH(int, windows);
        QFETCH(int, kv);
        const QString text{QChar(char16_t(letter))};
        QCOMPARE(cp1251Code(char32_t(letter)), windows);
        QCOMPARE(toCp1251(text), QByteArray(1, char(windows)));
        QCOMPARE(toKvBytes(text), QByteArray(1, char(kv)));
        QCOMPARE(fromCp1251(QByteArray(1, char(windows))), text);
    }

    void kvByte_shiftsOnlyTheLetterRanges_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("byte");
        QTest::newRow("127") << 127 << 127;
        QTest::newRow("191 stays") << 191 << 191;
        QTest::newRow("192 first shifted by 64") << 192 << 128;
        QTest::newRow("239 last shifted by 64") << 239 << 175;
        QTest::newRow("240 first shifted by 16") << 240 << 224;
        QTest::newRow("255 last shifted by 16") << 255 << 239;
    }
    void kvByte_shiftsOnlyTheLetterRanges()
    {
        QFETCH(int, code);
        QFETCH(int, byte);
        QCOMPARE(static_cast<unsigned char>(kvByte(static_cast<unsigned char>(code))), byte);
    }

    void upperHalf_matchesWindows1251_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("character");
        // The codes below 0xC0, written out from the Windows-1251 chart.
        const int chart[64] = {
            0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
            0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
            0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
            0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
            0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
        for (int i = 0; i < 64; ++i)
            QTest::addRow("0x%X", 0x80 + i) << 0x80 + i << chart[i];
    }
    void upperHalf_matchesWindows1251()
    {
        QFETCH(int, code);
        QFETCH(int, character);
        const QByteArray byte(1, char(code));
        if (character == 0) {
            QCOMPARE(fromCp1251(byte), QStringLiteral("?"));
            return;
        }
        QCOMPARE(cp1251Code(char32_t(character)), code);
        QCOMPARE(fromCp1251(byte), QString(QChar(char16_t(character))));
        QCOMPARE(toKvBytes(QString(QChar(char16_t(character)))), byte);
    }

    void asciiRoundTrips()
    {
        QByteArray all;
        for (int c = 0; c < 128; ++c)
            all.append(char(c));
        QCOMPARE(toCp1251(fromCp1251(all)), all);
    }
};

QTEST_APPLESS_MAIN(CodePageTest)
#include "codepage_test.moc"
