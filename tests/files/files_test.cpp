#include "files/codepage.h"
#include "files/kvcompiler.h"
#include "files/projectfile.h"
#include "files/projectformat.h"
#include "files/savefile.h"
#include "files/writefile.h"
#include "freeedit/freeeditcommands.h"
#include "tests/fuzz/freeeditdriver.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"
#include "wizard/stage2/stage2.h"

#include <QtCore>
#include <QTest>

namespace {

// A listing of lines (the expected analysis-program lines, "%n" where the progress reaches n).
QStringList listing(const QString& file) { return QString::fromUtf8(readFileBytes(QStringLiteral(TESTDATA "/") + file)).chopped(1).split(QLatin1Char('\n')); }

QByteArray smallFile()
{
    QString error;
    const QByteArray bytes = encodeZvrListing(QStringLiteral(TESTDATA "/smallmechanism.zvr.txt"), &error);
    return error.isEmpty() ? bytes : (qFatal("%s", qPrintable(error)), QByteArray());
}

bool load(QByteArrayView bytes, Session& into) { return into.ResetMechanism(), readProjectBytes(bytes, into); }

// Remembers what the compiler window was told, in order: "start", each line, "%n", "failed".
struct RecordingView : CompilerView {
    void start() override { events << QStringLiteral("start"); }
    void addLine(const QString& line) override { events << line; }
    void setProgress(int percent) override { events << QStringLiteral("%") + QString::number(percent); }
    void markFailed() override { events << QStringLiteral("failed"); }
    QStringList events;
};

// A device with room for so many bytes, as a full disk has.
struct FullDevice : QBuffer {
    qint64 room = 0;
    qint64 writeData(const char* d, qint64 len) override { return size() >= room ? -1 : QBuffer::writeData(d, qMin(len, room - size())); }
};

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private slots:
    void kvFileBytes_data() { addRows("kvfilebytes.cases"); }
    void kvFileBytes()
    {
        QString lines = cell("lines");
        // "\uXXXX" stands for a character a data file cannot hold, a lone surrogate half among them.
        for (qsizetype at; (at = lines.indexOf(QStringLiteral("\\u"))) >= 0;)
            lines.replace(at, 6, QChar(char16_t(lines.mid(at + 2, 4).toUInt(nullptr, 16))));
        QCOMPARE(::kvFileBytes(lines.split(QLatin1Char(';'))), QByteArray::fromHex(cell("bytes").toLatin1()));
        QCOMPARE(::kvFileBytes({}), QByteArray());
    }

    void upperHalf_data() { addRows("cp1251.cases"); }
    void upperHalf()
    {
        const QByteArray byte = QByteArray::fromHex(cell("code").toLatin1()), kv = QByteArray::fromHex(cell("kv").toLatin1());
        const QString text{QChar(char16_t(cell("character").toUInt(nullptr, 16)))};
        QCOMPARE(fromCp1251(byte), cell("character").isNull() ? QStringLiteral("?") : text);
        if (cell("character").isNull())
            return;
        QCOMPARE(cp1251Code(text[0].unicode()), cell("code").toInt(nullptr, 16));
        QCOMPARE(kvByte(static_cast<unsigned char>(byte[0])), kv[0]);
        QCOMPARE(toCp1251(text) + toKvBytes(text), byte + kv);
    }

    void nameLines_data() { addRows("kv_namelines.cases"); }
    void nameLines() { QCOMPARE(NameLines(cell("name")), cell("lines").split(QLatin1Char(';'))); }

    void compile_data() { addRows("kv_compile.cases"); }
    void compile()
    {
        const KvListing kv = compileKv(mechanism(cell("description")));
        QStringList got = kv.lines;
        for (auto mark = kv.marks.crbegin(); mark != kv.marks.crend(); ++mark) // from the last, so that each lands in place
            got.insert(mark->afterLines, QStringLiteral("%") + QString::number(mark->percent));
        QCOMPARE(got, listing(cell("expected")));
    }

    void oddRecords_data() { addRows("kv_oddrecords.cases"); }
    void oddRecords()
    {
        const QStringList lines = compileKv(mechanism(QStringLiteral("@crankslider;") + cell("changes"))).lines;
        const QStringList expected = cell("following").split(QLatin1Char(';'));
        const qsizetype at = lines.indexOf(cell("heading"));
        QVERIFY(at >= 0);
        QCOMPARE(lines.mid(at + 1, expected.size()), expected);
        QCOMPARE(lines.last(), QStringLiteral("y"));
    }

    void write_data() { addRows("projectfile_write.cases"); }
    void write()
    {
        const Session s = mechanism(cell("description"));
        QString named;
        const QByteArray bytes = projectFileBytes(s, &named).value_or(QByteArray());
        QCOMPARE(named, cell("tooLong"));
        QCOMPARE(bytes.size(), cell("records").toInt() * kProjectRecordSize);
        if (!cell("file").isNull())
            QCOMPARE(difference(zvrRecords(bytes), zvrRecords(smallFile())), QString());
        // Where the last record is a group: whether the angle choice went in after its marker.
        if (!cell("marker").isNull())
            QCOMPARE(bytes.right(kProjectRecordSize).contains(kIsSharpMarker), cell("marker") == QStringLiteral("yes"));
        if (bytes.isEmpty())
            return;
        Session back;
        back.ExtraPairsFlag = 1.0f; // left from a project loaded before
        QVERIFY(load(bytes, back));
        QCOMPARE(projectFileBytes(back, nullptr), bytes);
        QCOMPARE(back.ExtraPairsFlag, cell("extraPairsFlag").toFloat());
        // Slots past the counts keep the reset marker.
        QVERIFY(s.ZvenoCount == kMaxRecords || back.Zvenos[s.ZvenoCount + 1].Name == kNotSet);
    }

    void read_data() { addRows("projectfile_read.cases"); }
    void read()
    {
        const QByteArray with = QByteArray::fromHex(cell("hex").toLatin1());
        const qsizetype at = cell("record").toInt() * kProjectRecordSize + cell("offset").toInt();
        const QByteArray bytes = smallFile().leftJustified(at + with.size(), '\0').replace(at, with.size(), with);
        Session back;
        const bool read = load(bytes, back);
        QCOMPARE(read, cell("result") != QStringLiteral("refused"));
        const GROUP& g = back.Groups[1];
        QVERIFY(!read || (QStringList{g.GType, g.Clockwise, g.IsSharp}.join(QLatin1Char(' ')).trimmed() == cell("result") &&
                          projectFileBytes(back, nullptr)));
    }

    void everyCutShortFile_isRefused()
    {
        const QByteArray full = smallFile();
        Session back;
        for (qsizetype n = 0; n < full.size(); ++n)
            QVERIFY2(!load(full.left(n), back), qPrintable(QStringLiteral("cut at %1").arg(n)));
        QVERIFY(load(full, back));
    }

    void projectFilePath_data() { addRows("projectfilepath.cases"); }
    void projectFilePath()
    {
        Session s;
        s.DataFolder = QStringLiteral("/data");
        QCOMPARE(::projectFilePath(s, cell("kvFile")), cell("project"));
    }

    // What the fuzzers start from and the inputs they once found faults with; each is also edited
    // value by value in free edit, saved and read back.
    void fuzzInputs_areReadOrRefusedWithoutHarm_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* folder : {ZUVRACK_FUZZ_DIR "/seeds", ZUVRACK_FUZZ_DIR "/regressions", ZUVRACK_SAMPLES_DIR})
            for (const QFileInfo& f : QDir(QString::fromUtf8(folder)).entryInfoList(QDir::Files))
                if (f.suffix() != QStringLiteral("md") && f.suffix() != QStringLiteral("kv"))
                    QTest::newRow(qPrintable(f.fileName())) << f.filePath();
    }
    void fuzzInputs_areReadOrRefusedWithoutHarm()
    {
        QFETCH(QString, path);
        Session s, back;
        QCOMPARE(editRoundTrip(readFileBytes(path)), QString());
        if (!load(readFileBytes(path), s))
            return;
        const auto again = projectFileBytes(s, nullptr);
        QVERIFY(again && load(*again, back));
        QCOMPARE(projectFileBytes(back, nullptr), again);
        QVERIFY(!compileKv(back).lines.isEmpty());
    }

    // A failed save writes nothing and leaves every older file as it was.
    void save_data() { addRows("writefile_save.cases"); }
    void save()
    {
        QTemporaryDir dir;
        const auto path = [&](const QString& relative) { return dir.filePath(relative); };
        // Every file and folder in the temporary folder, each file with what it holds.
        const auto tree = [&] {
            QStringList entries;
            for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
                const QString entry = it.next(); // before the read: the two sides of + come in no set order
                entries << entry + u'=' + QString::fromUtf8(readFileBytes(entry));
            }
            return entries.sort(), entries;
        };
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("data")) && QDir(dir.path()).mkpath(QStringLiteral("out")));
        Session s = mechanism(QStringLiteral("@crankslider"));
        s.DataFolder = path(QStringLiteral("data"));
        for (const QString& f : cell("older").split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QFile older(path(f));
            QVERIFY(QDir(dir.path()).mkpath(f.endsWith(QLatin1Char('/')) ? f : f.section(QLatin1Char('/'), 0, -2)));
            QVERIFY(f.endsWith(QLatin1Char('/')) || (older.open(QIODevice::WriteOnly) && older.write(f.toUtf8()) == f.size()));
        }
        const QStringList before = tree();
        const int code = cell("error").toInt();
        if (code == 204)
            s.Zvenos[2].Mass = cell("detail");
        ScriptedDialogs d(s);
        if (code)
            d.expectError(qint16(code), code == 203 ? QDir::toNativeSeparators(path(cell("detail"))) : cell("detail"));
        RecordingView view;
        {
            const FileSizeLimit limit(cell("limit").toULongLong());
            QVERIFY(limit.active == !cell("limit").isNull());
            QCOMPARE(WriteFile(s, d, &view, cell("destination").isNull() ? QString() : path(cell("destination")), cell("fileName")), !code);
        }
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputReady, 1.0f);
        // Each line is shown as it is made, the progress in between, whether the save fails or not.
        QCOMPARE(view.events, QStringList{QStringLiteral("start")} + listing(QStringLiteral("kv_crankslider_plain.txt")) +
                                  (code ? QStringList{QStringLiteral("failed")} : QStringList()));
        if (code) {
            QCOMPARE(tree(), before);
            return;
        }
        QCOMPARE(readFileBytes(QDir(path(cell("destination"))).filePath(cell("fileName"))), ::kvFileBytes(compileKv(s).lines));
        // The project goes to the data folder, made on the way, named after the file in lower case.
        QCOMPARE(readFileBytes(path(cell("project"))), projectFileBytes(s, nullptr).value());
    }

    // Two students may choose the same title: a project of another description is replaced only
    // when the student says so, whichever command saves.
    void replacingAProject_asksWhenItIsAnothers_data() { addRows("projectowner.cases"); }
    void replacingAProject_asksWhenItIsAnothers()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out")), title = QStringLiteral("Mech1.kv");
        const QString kv = dir.filePath(QStringLiteral("out/Mech1.kv")), project = dir.filePath(QStringLiteral("data/d_files/mech1.zvr"));
        QVERIFY(QDir().mkpath(out));
        Session s = mechanism(QStringLiteral("@crankslider")), other = mechanism(QStringLiteral("@fourbar"));
        s.DataFolder = other.DataFolder = dir.filePath(QStringLiteral("data"));
        ScriptedDialogs d(s), quiet(other);
        int others = 0; // each time another description, so each time other bytes
        for (const QString& step : words(cell("before")))
            QVERIFY(step == QStringLiteral("other")  ? (other.Paras[1].X = QString::number(++others), WriteFile(other, quiet, nullptr, out, title))
                    : step == QStringLiteral("save") ? saveDescriptionFiles(s, d, nullptr, out, title)
                                                     : readProjectAt(project, s) == ReadResult::Read);
        const QByteArray oldKv = readFileBytes(kv), oldProject = readFileBytes(project);
        s.SavedFiles.clear();
        if (cell("through") != QStringLiteral("save"))
            d.expectSaveFile(kKvertaFilter, {kv, title});
        if (!cell("question").isNull())
            d.expectYesNo(cell("question"), QStringLiteral("KVERTA Mode"), cell("answer").toInt());
        const bool kept = cell("answer") == QStringLiteral("7");
        const bool written = cell("through") == QStringLiteral("wizard")      ? SaveDescription(s, d, nullptr)
                             : cell("through") == QStringLiteral("free edit") ? saveFreeEdit(s, d, nullptr)
                                                                              : saveDescriptionFiles(s, d, nullptr, out, title);
        QVERIFY2(d.problems().isEmpty() && quiet.problems().isEmpty(), qPrintable((d.problems() + quiet.problems()).join(u'\n')));
        QCOMPARE(written, !kept);
        QCOMPARE(readFileBytes(kv), kept ? oldKv : ::kvFileBytes(compileKv(s).lines));
        QCOMPARE(readFileBytes(project), kept ? oldProject : projectFileBytes(s, nullptr).value());
        const QStringList named{QDir::toNativeSeparators(kv), QDir::toNativeSeparators(project)};
        QCOMPARE(s.SavedFiles, kept ? QStringList() : named);
    }

    void writeAll_reportsAShortWrite_data() { addRows("writeall.cases"); }
    void writeAll_reportsAShortWrite()
    {
        FullDevice device;
        device.room = cell("room").toLongLong();
        QVERIFY(device.open(QIODevice::WriteOnly));
        QCOMPARE(writeAll(device, QByteArray(300, 'z')), cell("written") == QStringLiteral("true"));
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "files_test.moc"
