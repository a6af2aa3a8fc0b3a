#include "tests/files/mechanisms.h"
#include "files/projectfile.h"
#include "files/projectformat.h"

#include <QDir>
#include <QTest>

namespace {

// A project file written out by hand record by record, each padded with zeros.
QList<QByteArray> handWritten(const QString& name = QStringLiteral("smallmechanism.hex"))
{
    QList<QByteArray> records;
    for (const QString& line : testmech::dataLines(name))
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
    void write_data() { testmech::addRows(QStringLiteral("projectfile_write.cases")); }
    void write()
    {
        const QString file = testmech::cell("file");
        Session s;
        testmech::build(s, testmech::cell("description"));
        QString named;
        const QByteArray bytes = projectFileBytes(s, &named).value_or(QByteArray());
        QCOMPARE(named, testmech::cell("tooLong"));
        QCOMPARE(bytes.size(), testmech::cell("records").toInt() * kProjectRecordSize);
        QList<QByteArray> written;
        for (qsizetype at = 0; !file.isNull() && at < bytes.size(); at += kProjectRecordSize)
            written << bytes.mid(at, kProjectRecordSize);
        QCOMPARE(written, file.isNull() ? written : handWritten(file));
        if (bytes.isEmpty())
            return;
        Session back;
        back.ExtraPairsFlag = 1.0f; // left from a project loaded before
        QVERIFY(load(bytes, back));
        QCOMPARE(projectFileBytes(back, nullptr), bytes);
        QCOMPARE(back.ExtraPairsFlag, testmech::cell("extraPairsFlag").toFloat());
        // Slots past the counts keep the reset marker.
        QVERIFY(s.ZvenoCount == kMaxRecords || back.Zvenos[s.ZvenoCount + 1].Name == kNotSet);
    }

    void read_data() { testmech::addRows(QStringLiteral("projectfile_read.cases")); }
    void read()
    {
        const QString result = testmech::cell("result");
        const QByteArray with = QByteArray::fromHex(testmech::cell("hex").toLatin1());
        const qsizetype at = testmech::cell("record").toInt() * kProjectRecordSize + testmech::cell("offset").toInt();
        QByteArray bytes = handWritten().join();
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
        const QByteArray full = handWritten().join();
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
        Session s;
        s.DataFolder = QStringLiteral("/data");
        QCOMPARE(::projectFilePath(s, testmech::cell("kvFile")), testmech::cell("project"));
    }

    // What the fuzzer started from and the inputs it once found faults with.
    void fuzzInputs_areReadOrRefusedWithoutHarm_data()
    {
        QTest::addColumn<QString>("path");
        for (const QFileInfo& f : QDir(QStringLiteral(ZUVRACK_FUZZ_DIR "/seeds")).entryInfoList(QDir::Files) +
                                      QDir(QStringLiteral(ZUVRACK_FUZZ_DIR "/regressions")).entryInfoList(QDir::Files))
            if (f.suffix() != QStringLiteral("md"))
                QTest::newRow(qPrintable(f.fileName())) << f.filePath();
    }
    void fuzzInputs_areReadOrRefusedWithoutHarm()
    {
        QFETCH(QString, path);
        Session s, back;
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
