#include "mechanisms.h"
#include "projectfile.h"
#include "projectformat.h"

#include <QDir>
#include <QTest>

namespace {

// The small mechanism's file, written out by hand record by record, each padded with zeros.
QList<QByteArray> smallRecords()
{
    QList<QByteArray> records;
    for (const QString& line : testmech::dataLines(QStringLiteral("smallmechanism.hex")))
        if (!line.startsWith(QLatin1Char('#')))
            records << QByteArray::fromHex(line.toLatin1()).leftJustified(kProjectRecordSize, '\0');
    return records;
}

bool load(QByteArrayView bytes, Session& into)
{
    into.ResetMechanism();
    return readProjectBytes(bytes, into);
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT
private slots:
    void smallMechanism_exactBytes()
    {
        Session s;
        testmech::build(s, QStringLiteral("@small"));
        QString tooLong;
        const QByteArray bytes = projectFileBytes(s, &tooLong).value_or(QByteArray());
        QList<QByteArray> records;
        for (qsizetype at = 0; at < bytes.size(); at += kProjectRecordSize)
            records << bytes.mid(at, kProjectRecordSize);
        QCOMPARE(records, smallRecords());
        QVERIFY(tooLong.isNull());
    }

    void write_data() { testmech::addRows(QStringLiteral("projectfile_write.cases")); }
    void write()
    {
        QFETCH(QString, description);
        QFETCH(QString, records);
        QFETCH(QString, extraPairsFlag);
        QFETCH(QString, tooLong);
        Session s;
        testmech::build(s, description);
        QString named;
        const auto bytes = projectFileBytes(s, &named);
        QCOMPARE(named, tooLong.isEmpty() ? QString() : tooLong);
        QCOMPARE(bytes.value_or(QByteArray()).size(), records.toInt() * kProjectRecordSize);
        Session back;
        back.W = 3;
        back.WizardState = 140;
        back.ExtraPairsFlag = 1.0f; // left from a project loaded before
        if (!bytes)
            return;
        QVERIFY(load(*bytes, back));
        QCOMPARE(projectFileBytes(back, nullptr), bytes);
        QCOMPARE(back.ExtraPairsFlag, extraPairsFlag.toFloat());
        // What the file does not hold is left alone; slots past the counts keep the reset marker.
        QCOMPARE(back.W + back.WizardState, 143);
        QVERIFY(s.ZvenoCount == kMaxRecords || back.Zvenos[s.ZvenoCount + 1].Name == kNotSet);
    }

    // The small mechanism's file with bytes put in at an offset of a record (or past its end).
    void read_data() { testmech::addRows(QStringLiteral("projectfile_read.cases")); }
    void read()
    {
        QFETCH(QString, record);
        QFETCH(QString, offset);
        QFETCH(QString, hex);
        QFETCH(QString, result);
        const QByteArray with = QByteArray::fromHex(hex.toLatin1());
        const qsizetype at = record.toInt() * kProjectRecordSize + offset.toInt();
        QByteArray bytes = smallRecords().join();
        bytes = bytes.leftJustified(at + with.size(), '\0').replace(at, with.size(), with);
        Session back;
        const bool read = load(bytes, back);
        QCOMPARE(read, result != QStringLiteral("refused"));
        const GROUP& g = back.Groups[1];
        QVERIFY(!read || (QStringList{g.GType, g.Clockwise, g.IsSharp}.join(QLatin1Char(' ')).trimmed() == result &&
                          projectFileBytes(back, nullptr)));
    }

    void everyCutShortFile_isRefused()
    {
        const QByteArray full = smallRecords().join();
        Session back;
        back.ResetMechanism();
        // Refusing never depends on what the records held before, so one session serves every cut.
        for (qsizetype n = 0; n < full.size(); ++n)
            QVERIFY2(!readProjectBytes(full.left(n), back), qPrintable(QStringLiteral("cut at %1").arg(n)));
        QVERIFY(load(full, back));
    }

    void projectFilePath_data() { testmech::addRows(QStringLiteral("projectfilepath.cases")); }
    void projectFilePath()
    {
        QFETCH(QString, kvFile);
        QFETCH(QString, project);
        Session s;
        s.DataFolder = QStringLiteral("/data");
        QCOMPARE(::projectFilePath(s, kvFile), project.isEmpty() ? QString() : project);
    }

    void fuzzInputs_areReadOrRefusedWithoutHarm_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* sub : {"seeds", "regressions"})
            for (const QFileInfo& f : QDir(QStringLiteral(ZUVRACK_FUZZ_DIR "/") + QLatin1String(sub)).entryInfoList(QDir::Files))
                if (f.suffix() != QStringLiteral("md"))
                    QTest::addRow("%s/%s", sub, qPrintable(f.fileName())) << f.filePath();
    }
    void fuzzInputs_areReadOrRefusedWithoutHarm()
    {
        QFETCH(QString, path);
        Session s;
        Session back;
        if (!load(testmech::readBytes(path), s))
            return;
        const auto again = projectFileBytes(s, nullptr);
        QVERIFY(again && load(*again, back));
        QCOMPARE(projectFileBytes(back, nullptr), again);
        QVERIFY(!compileKv(back).lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "projectfile_test.moc"
