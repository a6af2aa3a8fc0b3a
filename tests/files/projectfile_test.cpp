#include "errors.h"
#include "kvcompiler.h"
#include "mechanisms.h"
#include "projectfile.h"
#include "projectformat.h"
#include "scripteddialogs.h"
#include "session.h"
#include "sessioncompare.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One record: the given image, then zeros to 128 bytes.
QByteArray rec(const char* hex)
{
    QByteArray r = QByteArray::fromHex(hex);
    r.append(kProjectRecordSize - r.size(), '\0');
    return r;
}

// A small mechanism with one of everything, and its file written out record by record.
void smallMechanism(Session& s)
{
    s.NewMechanism();
    s.FrameIndex = 1;
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 6.0f;
    s.ZvenoCount = 1;
    ZVENO& z = s.Zvenos[1];
    z.TwafzCount = 1;
    z.TwafzAngle[1] = QStringLiteral("5");
    z.TwafzLength[1] = QStringLiteral("1.5");
    z.TwafzName[1] = QStringLiteral("E");
    z.TwafzIndex[1] = QStringLiteral("2");
    z.Clockwise = QStringLiteral("y");
    z.CM = QStringLiteral("S");
    z.DPCount = 1;
    z.DP[1].Angle = QStringLiteral("9");
    z.DP[1].Length = QStringLiteral("2");
    z.DP[1].Name = QStringLiteral("K");
    z.DP[1].Kind = QStringLiteral("o");
    z.GroupNo = 1;
    z.IsFrame = 1.0f;
    z.OnGuide = QStringLiteral("no");
    z.ZLength = QStringLiteral("0.1");
    z.Name = QStringLiteral("Ж");
    z.Para1 = QStringLiteral("A");
    z.Para1Index = 1;
    z.Para2Index = -2;
    z.Perpendicular = QStringLiteral("/n");
    z.ZType = QStringLiteral("rr");
    s.ParaCount = 1;
    s.Paras[1] = PARA{QStringLiteral("A"), QStringLiteral("0"), 1, QStringLiteral("1"), -1, QStringLiteral("r"),
                      QStringLiteral("0"), QStringLiteral("-2.5"), QString()};
    s.GroupCount = 1;
    s.Groups[1] = GROUP{QStringLiteral("1"), 1, 1, QStringLiteral("1"), QStringLiteral("n"), QStringLiteral("y")};
}

const QList<QByteArray>& smallMechanismRecords()
{
    static const QList<QByteArray> records = {
        rec("0100"), rec("0000E040"), rec("0000C040"), rec("0100"),
        // the link: additional pair, texts, point, flags, texts, indices, texts
        rec("0100"), rec("010035"), rec("0300312E35"), rec("010045"), rec("010032"),
        rec("0000"), rec("010079"), rec("0000"), rec("0000"), rec("0000"), rec("0000"), rec("010053"), rec("0000"),
        rec("0100"), rec("010039"), rec("0000"), rec("0000"), rec("010032"), rec("01004B"), rec("01006F"),
        rec("0100"), rec("0000803F"), rec("02006E6F"), rec("00000000"),
        rec("0300302E31"), rec("0000"), rec("0000"), rec("0000"), rec("0100C6"), rec("010041"), rec("0000"),
        rec("0100"), rec("FEFF"),
        rec("02002F6E"), rec("0000"), rec("02007272"),
        // the pair
        rec("0100"), rec("010041" "010030" "0100" "010031" "FFFF" "010072" "010030" "04002D322E35" "0000"),
        // the group, with the angle choice after its marker
        rec("0100"), rec("010031" "0100" "0100" "010031" "01006E" "1F5A4953" "010079"),
    };
    return records;
}

QByteArray smallMechanismFile()
{
    return smallMechanismRecords().join();
}

// The small mechanism's file with bytes replaced at an offset of one record.
QByteArray patched(int record, int offset, const char* hex)
{
    QByteArray bytes = smallMechanismFile();
    const QByteArray with = QByteArray::fromHex(hex);
    bytes.replace(record * kProjectRecordSize + offset, with.size(), with);
    return bytes;
}

bool load(const QByteArray& bytes, Session& into)
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
        smallMechanism(s);
        QString tooLong;
        const auto bytes = projectFileBytes(s, &tooLong);
        QVERIFY(bytes);
        QCOMPARE(bytes->size(), 44 * kProjectRecordSize);
        const QList<QByteArray>& expected = smallMechanismRecords();
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(bytes->mid(i * kProjectRecordSize, kProjectRecordSize) == expected[i],
                     qPrintable(QStringLiteral("record %1: %2").arg(i + 1).arg(QString::fromLatin1(
                         bytes->mid(i * kProjectRecordSize, 24).toHex(' ')))));
        QVERIFY(tooLong.isNull());
    }

    void recordCount_data()
    {
        QTest::addColumn<int>("links");
        QTest::addColumn<int>("extraPairs");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pairs");
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("records");
        QTest::newRow("empty") << 0 << 0 << 0 << 0 << 0 << 6;
        QTest::newRow("one bare link") << 1 << 0 << 0 << 0 << 0 << 32;
        QTest::newRow("links never grouped (-1)") << 2 << -1 << 0 << 3 << 0 << 4 + 52 + 1 + 3 + 1;
        QTest::newRow("3 links, 4 pairs, 1 group") << 3 << 0 << 0 << 4 << 1 << 4 + 78 + 1 + 4 + 1 + 1;
        QTest::newRow("additional pairs and points") << 2 << 2 << 3 << 1 << 1 << 4 + 2 * (26 + 8 + 18) + 1 + 1 + 1 + 1;
        QTest::newRow("every array full") << 64 << 32 << 32 << 64 << 64 << kMaxProjectRecords;
    }
    void recordCount()
    {
        QFETCH(int, links);
        QFETCH(int, extraPairs);
        QFETCH(int, points);
        QFETCH(int, pairs);
        QFETCH(int, groups);
        QFETCH(int, records);
        Session s;
        s.NewMechanism();
        s.ZvenoCount = qint16(links);
        for (int i = 1; i <= links; ++i) {
            s.Zvenos[i].TwafzCount = qint16(extraPairs);
            s.Zvenos[i].DPCount = qint16(points);
        }
        s.ParaCount = qint16(pairs);
        s.GroupCount = qint16(groups);
        const auto bytes = projectFileBytes(s, nullptr);
        QVERIFY(bytes);
        QCOMPARE(bytes->size(), qsizetype(records) * kProjectRecordSize);
        Session back;
        QVERIFY(load(*bytes, back));
        QVERIFY2(projectDifferences(s, back).isEmpty(), qPrintable(projectDifferences(s, back).join(QLatin1Char('\n'))));
    }

    void writeThenRead_givesBackEveryField_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("small mechanism") << 0;
        QTest::newRow("crank and slider with points") << 1;
        QTest::newRow("six links with additional pairs") << 2;
    }
    void writeThenRead_givesBackEveryField()
    {
        QFETCH(int, which);
        Session s;
        if (which == 0) {
            smallMechanism(s);
        } else if (which == 1) {
            testmech::crankSlider(s);
            testmech::addPoints(s);
            s.ForceAnalysis = 6.0f;
        } else {
            testmech::sixLinks(s);
        }
        // Fields no section of the analysis file uses are kept all the same.
        s.Zvenos[1].Spare1 = QStringLiteral("s1");
        s.Zvenos[1].Spare2 = QStringLiteral("s2");
        s.Zvenos[1].Spare3 = QStringLiteral("s3");
        s.Zvenos[1].Spare4 = QStringLiteral("Щ4");
        s.Zvenos[1].Para2 = QStringLiteral("B");
        s.Zvenos[1].Para2Index = 64;
        s.Zvenos[1].DPCount = qMax<qint16>(s.Zvenos[1].DPCount, 1);
        s.Zvenos[1].DP[1].ForceAngle = QStringLiteral("-90");
        s.Zvenos[1].DP[1].Force = QStringLiteral("1000.5");
        s.Zvenos[1].MomentVn = QStringLiteral("-0.001");

        const auto bytes = projectFileBytes(s, nullptr);
        QVERIFY(bytes);
        Session back;
        back.W = 3;
        back.WizardState = 140;
        QVERIFY(load(*bytes, back));
        QVERIFY2(projectDifferences(s, back).isEmpty(), qPrintable(projectDifferences(s, back).join(QLatin1Char('\n'))));
        // What the file does not hold is left alone.
        QCOMPARE(back.W, qint16(3));
        QCOMPARE(back.WizardState, qint16(140));
        // Slots past the counts keep the reset marker.
        QCOMPARE(back.Zvenos[s.ZvenoCount + 1].Name, QStringLiteral("/n"));
        QCOMPARE(back.Zvenos[1].DP[s.Zvenos[1].DPCount + 1].Name, QStringLiteral("/n"));
    }

    void writeTwice_sameBytes()
    {
        Session s;
        testmech::sixLinks(s);
        QCOMPARE(projectFileBytes(s, nullptr), projectFileBytes(s, nullptr));
        // A value shortened leaves no trace of the longer one in the padding.
        const QByteArray before = *projectFileBytes(s, nullptr);
        s.Paras[1].Name = QStringLiteral("AAAAAAAAAAAAAAAAAAAA");
        QVERIFY(projectFileBytes(s, nullptr) != before);
        s.Paras[1].Name = QStringLiteral("A");
        QCOMPARE(*projectFileBytes(s, nullptr), before);
    }

    void extraPairsNeverGrouped_roundTripsMinusOne()
    {
        Session s;
        testmech::crankSlider(s);
        s.Zvenos[3].TwafzCount = -1;
        const auto bytes = projectFileBytes(s, nullptr);
        QVERIFY(bytes);
        Session back;
        QVERIFY(load(*bytes, back));
        QCOMPARE(back.Zvenos[3].TwafzCount, qint16(-1));
        QCOMPARE(back.ExtraPairsFlag, 0.0f);
    }

    void extraPairsFlag_startsFromZero_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<float>("flag");
        QTest::newRow("no additional pairs") << 1 << 0.0f;
        QTest::newRow("some additional pairs") << 2 << 1.0f;
    }
    void extraPairsFlag_startsFromZero()
    {
        QFETCH(int, which);
        QFETCH(float, flag);
        Session s;
        if (which == 1)
            testmech::crankSlider(s);
        else
            testmech::sixLinks(s);
        const auto bytes = projectFileBytes(s, nullptr);
        Session back;
        back.ExtraPairsFlag = 1.0f; // left from a project loaded before
        QVERIFY(load(*bytes, back));
        QCOMPARE(back.ExtraPairsFlag, flag);
    }

    void groupWithoutMarker_loadsWithAngleChoiceEmpty_data()
    {
        QTest::addColumn<QByteArray>("groupRecord");
        QTest::newRow("zero padding") << rec("010031" "0100" "0100" "010031" "01006E");
        QTest::newRow("other bytes in the padding") << rec("010031" "0100" "0100" "010031" "01006E" "1F5A4958" "010079");
        QTest::newRow("padding of spaces") << (QByteArray::fromHex("010031" "0100" "0100" "010031" "01006E") +
                                               QByteArray(kProjectRecordSize - 13, ' '));
    }
    void groupWithoutMarker_loadsWithAngleChoiceEmpty()
    {
        QFETCH(QByteArray, groupRecord);
        QList<QByteArray> records = smallMechanismRecords();
        records.last() = groupRecord;
        Session back;
        back.Groups[1].IsSharp = QStringLiteral("y");
        QVERIFY(load(records.join(), back));
        QCOMPARE(back.GroupCount, qint16(1));
        QCOMPARE(back.Groups[1].Clockwise, QStringLiteral("n"));
        QCOMPARE(back.Groups[1].IsSharp, QString());
        QCOMPARE(back.Groups[1].GType, QStringLiteral("1"));
    }

    void groupFillingItsRecord_withoutAngleChoice_isSavedAgain()
    {
        // An older file may fill a group record with its texts; with no choice to keep, the
        // group is saved again without the marker rather than refused.
        QList<QByteArray> records = smallMechanismRecords();
        QByteArray group = QByteArray::fromHex("010031" "0100" "0100" "010031");
        group += QByteArray::fromHex("7000") + QByteArray(112, 'n'); // Clockwise up to the last byte but 6
        records.last() = rec(group.toHex().constData());
        Session back;
        QVERIFY(load(records.join(), back));
        QCOMPARE(back.Groups[1].IsSharp, QString());
        QString tooLong;
        const auto again = projectFileBytes(back, &tooLong);
        QVERIFY2(again, qPrintable(tooLong));
        QCOMPARE(again->right(kProjectRecordSize), records.last());

        // With a choice to keep and no room for it, the save is refused and names it.
        back.Groups[1].IsSharp = QStringLiteral("y");
        QVERIFY(!projectFileBytes(back, &tooLong));
        QCOMPARE(tooLong, QStringLiteral("y"));
    }

    void longerFile_stopsAfterTheLastGroup()
    {
        Session back;
        QVERIFY(load(smallMechanismFile() + QByteArray(300, '\xFF'), back));
        QCOMPARE(back.Groups[1].IsSharp, QStringLiteral("y"));
    }

    void damagedFile_isRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("FrameIndex 65") << patched(0, 0, "4100");
        QTest::newRow("FrameIndex -3") << patched(0, 0, "FDFF");
        QTest::newRow("ZvenoCount 65") << patched(3, 0, "4100");
        QTest::newRow("ZvenoCount -1") << patched(3, 0, "FFFF");
        QTest::newRow("TwafzCount 33") << patched(4, 0, "2100");
        QTest::newRow("TwafzCount -2") << patched(4, 0, "FEFF");
        QTest::newRow("DPCount 33") << patched(17, 0, "2100");
        QTest::newRow("DPCount -1") << patched(17, 0, "FFFF");
        QTest::newRow("GroupNo 65") << patched(24, 0, "4100");
        QTest::newRow("Para1Index -3") << patched(35, 0, "FDFF");
        QTest::newRow("Para2Index 65") << patched(36, 0, "4100");
        QTest::newRow("ParaCount 65") << patched(40, 0, "4100");
        QTest::newRow("ParaCount -1") << patched(40, 0, "FFFF");
        QTest::newRow("pair Zveno1Index 65") << patched(41, 6, "4100");
        QTest::newRow("pair Zveno2Index -3") << patched(41, 11, "FDFF");
        QTest::newRow("GroupCount 65") << patched(42, 0, "4100");
        QTest::newRow("GroupCount -1") << patched(42, 0, "FFFF");
        QTest::newRow("group Zveno1Index 65") << patched(43, 3, "4100");
        QTest::newRow("group Zveno2Index -3") << patched(43, 5, "FDFF");
        QTest::newRow("text of 127 bytes") << patched(5, 0, "7F00");
        QTest::newRow("text of 65535 bytes") << patched(32, 0, "FFFF");
        QTest::newRow("pair texts running past the record") << patched(41, 0, "7E00");
        QTest::newRow("angle choice running past the record") << patched(43, 17, "7000");
        QTest::newRow("line break inside a name") << patched(32, 0, "0300" "410D0A");
        QTest::newRow("zero byte inside a text") << patched(41, 0, "0200" "4100");
        QTest::newRow("counts for more records than the file holds") << patched(40, 0, "0200");
        QTest::newRow("last record cut short") << smallMechanismFile().chopped(1);
    }
    void damagedFile_isRefused()
    {
        QFETCH(QByteArray, bytes);
        Session back;
        QVERIFY(!load(bytes, back));
    }

    void everyCutShortFile_isRefused()
    {
        const QByteArray full = smallMechanismFile();
        Session back;
        back.ResetMechanism();
        // Refusing never depends on what the records held before, so one session serves every cut.
        for (qsizetype n = 0; n < full.size(); ++n)
            QVERIFY2(!readProjectBytes(full.left(n), back), qPrintable(QStringLiteral("cut at %1").arg(n)));
        QVERIFY(load(full, back));
    }

    void smallestValidText_andLargest_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("fits");
        QTest::newRow("126 characters fill the record") << 126 << true;
        QTest::newRow("127 characters do not fit") << 127 << false;
    }
    void smallestValidText_andLargest()
    {
        QFETCH(int, length);
        QFETCH(bool, fits);
        Session s;
        smallMechanism(s);
        s.Zvenos[1].Mass = QString(length, QChar(0x0444)); // ф, one byte each
        QString tooLong;
        const auto bytes = projectFileBytes(s, &tooLong);
        QCOMPARE(bool(bytes), fits);
        if (!fits) {
            QCOMPARE(tooLong, s.Zvenos[1].Mass);
            return;
        }
        Session back;
        QVERIFY(load(*bytes, back));
        QCOMPARE(back.Zvenos[1].Mass, s.Zvenos[1].Mass);
    }

    void recordImageTooLong_namesTheValueThatOverflows_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("named");
        QTest::newRow("pair image") << 0 << QStringLiteral("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
        QTest::newRow("group image") << 1 << QStringLiteral("nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn");
        QTest::newRow("angle choice after the group image") << 2 << QStringLiteral("yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy");
    }
    void recordImageTooLong_namesTheValueThatOverflows()
    {
        QFETCH(int, what);
        QFETCH(QString, named);
        Session s;
        smallMechanism(s);
        if (what == 0) {
            // Each text fits a record of its own; together they do not.
            s.Paras[1].X = QString(50, QLatin1Char('1'));
            s.Paras[1].Y = QString(50, QLatin1Char('2'));
            s.Paras[1].XAngle = named;
        } else if (what == 1) {
            s.Groups[1].GType = QString(60, QLatin1Char('3'));
            s.Groups[1].Clockwise = named;
        } else {
            s.Groups[1].IsSharp = named;
        }
        QString tooLong;
        QVERIFY(!projectFileBytes(s, &tooLong));
        QCOMPARE(tooLong, named);
    }

    void projectFilePath_data()
    {
        QTest::addColumn<QString>("kvFile");
        QTest::addColumn<QString>("project");
        QTest::newRow("Mech1.kv") << QStringLiteral("Mech1.kv") << QStringLiteral("mech1.zvr");
        QTest::newRow("mech, no extension") << QStringLiteral("mech") << QStringLiteral("m.zvr");
        QTest::newRow("capital extension") << QStringLiteral("MECH.KV") << QStringLiteral("mech.zvr");
        QTest::newRow("Cyrillic title") << QStringLiteral("МехА.kv") << QStringLiteral("меха.zvr");
        QTest::newRow("exactly three characters") << QStringLiteral("a.b") << QStringLiteral(".zvr");
        QTest::newRow("two characters") << QStringLiteral("ab") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("the folder is not part of the name") << QStringLiteral("/x/y/Mech1.kv") << QStringLiteral("mech1.zvr");
    }
    void projectFilePath()
    {
        QFETCH(QString, kvFile);
        QFETCH(QString, project);
        Session s;
        s.DataFolder = QStringLiteral("/opt/zuvrack/data");
        const QString path = ::projectFilePath(s, kvFile);
        if (project.isEmpty())
            QVERIFY(path.isEmpty());
        else
            QCOMPARE(path, QStringLiteral("/opt/zuvrack/data/d_files/") + project);
    }

    void fuzzInputs_areReadOrRefusedWithoutHarm_data()
    {
        QTest::addColumn<QString>("path");
        int found = 0;
        for (const char* sub : {"seeds", "regressions"}) {
            const QDir dir(QStringLiteral(ZUVRACK_FUZZ_DIR "/") + QLatin1String(sub));
            for (const QFileInfo& f : dir.entryInfoList(QDir::Files, QDir::Name)) {
                if (f.fileName().startsWith(QLatin1Char('.')) || f.suffix() == QStringLiteral("md"))
                    continue;
                QTest::addRow("%s/%s", sub, qPrintable(f.fileName())) << f.filePath();
                ++found;
            }
        }
        QVERIFY(found >= 4); // the seeds at least
    }
    void fuzzInputs_areReadOrRefusedWithoutHarm()
    {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Session s;
        if (!load(bytes, s))
            return;
        const auto again = projectFileBytes(s, nullptr);
        QVERIFY(again);
        Session back;
        QVERIFY(load(*again, back));
        QVERIFY2(projectDifferences(s, back).isEmpty(), qPrintable(projectDifferences(s, back).join(QLatin1Char('\n'))));
        QVERIFY(!compileKv(back).lines.isEmpty());
    }

    void loadFile_readsTheProjectOfTheChosenFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Session written;
        testmech::sixLinks(written);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d_files")));
        QFile f(dir.filePath(QStringLiteral("d_files/mech1.zvr")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(*projectFileBytes(written, nullptr));
        f.close();

        Session s;
        s.DataFolder = dir.path();
        testmech::crankSlider(s); // a mechanism already in memory is replaced whole
        s.GroupCount = 9;
        ScriptedDialogs d(s);
        QCOMPARE(LoadFile(s, d, QStringLiteral("/somewhere/else/"), QStringLiteral("Mech1.kv")), LoadResult::Loaded);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY2(projectDifferences(written, s).isEmpty(), qPrintable(projectDifferences(written, s).join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputReady, 1.0f);
        QCOMPARE(s.ExtraPairsFlag, 1.0f);
        QCOMPARE(s.Paras[written.ParaCount + 1].Name, QStringLiteral("/n"));
    }

    void loadFile_missing_reports201()
    {
        QTemporaryDir dir;
        Session s;
        s.DataFolder = dir.path();
        ScriptedDialogs d(s);
        d.expectError(201);
        QCOMPARE(LoadFile(s, d, QString(), QStringLiteral("none.kv")), LoadResult::Missing);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.ZvenoCount, qint16(0));
    }

    void loadFile_damaged_reportsAndLeavesTheRecordsReset()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d_files")));
        QFile f(dir.filePath(QStringLiteral("d_files/bad.zvr")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(patched(40, 0, "4100")); // the links are whole; the pair count is not
        f.close();

        Session s;
        s.DataFolder = dir.path();
        testmech::sixLinks(s);
        s.OutputReady = 1.0f;
        ScriptedDialogs d(s);
        d.expectError(kErrProjectDamaged);
        QCOMPARE(LoadFile(s, d, QString(), QStringLiteral("BAD.kv")), LoadResult::Damaged);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        // No half mechanism: nothing of the links read before the fault is kept.
        QCOMPARE(s.ZvenoCount, qint16(0));
        QCOMPARE(s.ParaCount, qint16(0));
        QCOMPARE(s.GroupCount, qint16(0));
        QCOMPARE(s.Zvenos[1].Name, QStringLiteral("/n"));
        QCOMPARE(s.Paras[1].Name, QStringLiteral("/n"));
        QCOMPARE(s.ExtraPairsFlag, 0.0f);
        QCOMPARE(s.OutputReady, 0.0f);
    }
};

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "projectfile_test.moc"
