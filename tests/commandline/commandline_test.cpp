#include "files/projectformat.h"
#include "freeedit/mechanismtree.h"
#include "freeedit/ui/freeeditwindow.h"
#include "model/session.h"
#include "report/mechanismsummary.h"
#include "shell/commandline.h"
#include "shell/mainstrip.h"
#include "shell/shell.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

const QString kTests = QStringLiteral(ZUVRACK_TESTS);

struct Run {
    int exit = -1;
    QString out, err;
};

// The built program, with no display to be had.
Run zuvrack(const QStringList& arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZUVRACK_EXECUTABLE), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// A file of the check table: "zvr <listing>", "cut <n> <listing>" or "text <text>".
QByteArray madeFrom(const QString& how)
{
    QString error;
    const QStringList w = words(how);
    if (w.value(0) == QStringLiteral("text"))
        return how.mid(5).toUtf8();
    const QByteArray zvr = encodeZvrListing(kTests + u'/' + w.last(), &error);
    if (!error.isEmpty())
        qFatal("%s", qPrintable(error));
    return w.value(0) == QStringLiteral("cut") ? zvr.left(w.value(1).toInt()) : zvr;
}

// The text fields a summary shows as they stand (codes such as a pair's type or a choice are shown
// in words, which the table's rows check).
template <typename Record>
using Fields = std::initializer_list<QString Record::*>;
const Fields<PARA> kPairFields{&PARA::Name, &PARA::Zveno1, &PARA::Zveno2, &PARA::X, &PARA::Y, &PARA::XAngle};
const Fields<ZVENO> kLinkFields{&ZVENO::Name, &ZVENO::Para1, &ZVENO::Para2, &ZVENO::ZType, &ZVENO::ZLength,
                                &ZVENO::Perpendicular, &ZVENO::CM, &ZVENO::CMLength, &ZVENO::CMAngle, &ZVENO::Mass,
                                &ZVENO::Moment, &ZVENO::MomentVn};
const Fields<DOP_POINT> kPointFields{&DOP_POINT::Name, &DOP_POINT::Length, &DOP_POINT::Angle, &DOP_POINT::ForceAngle,
                                     &DOP_POINT::Force};
const Fields<GROUP> kGroupFields{&GROUP::Name, &GROUP::GType};
const std::initializer_list<std::array<QString, kSubSlots> ZVENO::*> kExtraPairFields{
    &ZVENO::TwafzName, &ZVENO::TwafzIndex, &ZVENO::TwafzLength, &ZVENO::TwafzAngle};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_dir; // Cyrillic letters and spaces
private slots:
    void initTestCase()
    {
        m_dir = m_root.filePath(QStringLiteral("Проекты студентов/группа 1"));
        QVERIFY(writeFile(m_dir + QStringLiteral("/механизм.zvr"), madeFrom(QStringLiteral("zvr descriptions/data/fourbar.zvr.txt"))));
        QVERIFY(writeFile(m_dir + QStringLiteral("/пустой.zvr"), QByteArray()));
    }

    // Every stored description's project gives exactly its expected analysis file, in one run.
    void kv_everyDescription()
    {
        const QDir data(kTests + QStringLiteral("/descriptions/data"));
        const QStringList listings = data.entryList({QStringLiteral("*.zvr.txt")});
        QVERIFY(listings.size() >= 8);
        QStringList arguments{QStringLiteral("--kv"), QStringLiteral("-o"), m_root.filePath(QStringLiteral("kv"))};
        for (const QString& listing : listings) {
            arguments << m_root.filePath(listing.chopped(4));
            QVERIFY(writeFile(arguments.last(), madeFrom(QStringLiteral("zvr descriptions/data/") + listing)));
        }
        const Run run = zuvrack(arguments);
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.err, QString());
        for (const QString& listing : listings) {
            QString error;
            const QString name = listing.chopped(8);
            const QByteArray expected = encodeKvListing(data.filePath(name + QStringLiteral(".kv.txt")), &error);
            const QByteArray written = readFileBytes(m_root.filePath(QStringLiteral("kv/") + name + QStringLiteral(".kv")));
            QVERIFY2(written == expected, qPrintable(name + QStringLiteral(": ") + kvDifference(written, expected)));
        }
    }

    // Good, damaged, truncated and empty files in one folder: a row for each, in order, and status 1.
    void check_folder()
    {
        QStringList files, csv{QStringLiteral("file,title,n,p,W,groups,unset,state,advice")};
        for (const QStringList& row : dataRows("check.txt")) {
            files << m_root.filePath(QStringLiteral("check/") + row[0]);
            QVERIFY(writeFile(files.last(), madeFrom(row[1])));
            csv << row[2];
        }
        const Run run = zuvrack(QStringList{QStringLiteral("--check"), QStringLiteral("--csv")} + files);
        QCOMPARE(run.exit, 1);
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), csv);
        const QStringList plain = zuvrack(QStringList{QStringLiteral("--check")} + files).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(plain.size(), files.size() + 1);
        for (qsizetype i = 0; i < files.size(); ++i)
            QVERIFY2(plain[i + 1].startsWith(QFileInfo(files[i]).fileName() + QStringLiteral("  ")) &&
                         plain[i + 1].contains(QStringLiteral("damaged: ")) == csv[i + 1].contains(QStringLiteral("damaged: ")),
                     qPrintable(plain[i + 1]));
        QCOMPARE(zuvrack({QStringLiteral("--check"), files[0], files[1]}).exit, 0);
    }

    void samples_data() { addRows("samples.txt"); }
    void samples()
    {
        const QString sample = QStringLiteral(ZUVRACK_SAMPLES "/") + QString::fromUtf8(QTest::currentDataTag());
        const QString listing = kTests + QStringLiteral("/descriptions/data/") + cell("description");
        QString error;
        QVERIFY(readFileBytes(sample + QStringLiteral(".zvr")) == encodeZvrListing(listing + QStringLiteral(".zvr.txt"), &error));
        QVERIFY(readFileBytes(sample + QStringLiteral(".kv")) == encodeKvListing(listing + QStringLiteral(".kv.txt"), &error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // Every value the project holds is a cell of its summary, alone or followed by its unit.
    void summary_data() { addRows("summary.txt"); }
    void summary()
    {
        Session s;
        QVERIFY(readProjectBytes(madeFrom(QStringLiteral("zvr ") + cell("listing")), s));
        const QString html = summaryHtml(s, QStringLiteral("<проект & «он»>"));
        QStringList cells;
        for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("<td>(.*?)</td>")).globalMatch(html))
            cells << m.captured(1);
        QStringList missing;
        const auto check = [&](const QString& value) {
            const QString v = value.toHtmlEscaped();
            if (!value.isEmpty() && value != kNotSet &&
                std::none_of(cells.begin(), cells.end(), [&](const QString& c) { return c == v || c.startsWith(v + u' '); }))
                missing << value;
        };
        for (int i = 1; i <= s.ParaCount; ++i)
            for (auto f : kPairFields)
                check(s.Paras[i].*f);
        for (int g = 1; g <= s.GroupCount; ++g)
            for (auto f : kGroupFields)
                check(s.Groups[g].*f);
        for (int i = 1; i <= s.ZvenoCount; ++i) {
            const ZVENO& z = s.Zvenos[i];
            for (auto f : kLinkFields)
                check(z.*f);
            for (int j = 1; j <= z.TwafzCount; ++j)
                for (auto f : kExtraPairFields)
                    check((z.*f)[j]);
            for (int j = 1; j <= z.DPCount; ++j)
                for (auto f : kPointFields)
                    check(z.DP[j].*f);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        QVERIFY(html.contains(QStringLiteral("«&lt;проект &amp; «он»&gt;»")));
        for (const QString& text : cell("holds").split(QStringLiteral(" / ")))
            QVERIFY2(html.contains(text), qPrintable(text));
    }

    // A summary that does not fit on the disk is not written, and the older one stays whole.
    void summary_fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("pdf") << QStringLiteral("паспорт.pdf") << QByteArray("%PDF");
        QTest::newRow("html") << QStringLiteral("паспорт.html") << QByteArray("<html>");
    }
    void summary_fullDiskKeepsTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, starts);
        Session s;
        QVERIFY(readProjectBytes(madeFrom(QStringLiteral("zvr descriptions/data/sixbar.zvr.txt")), s));
        const QString path = m_dir + u'/' + name;
        const QByteArray old(4096, 'x');
        QVERIFY(writeFile(path, old));
        {
            const FileSizeLimit limit(1024);
            QVERIFY(limit.active);
            QVERIFY(!writeSummaryFile(s, QStringLiteral("шестизвенник"), path));
        }
        QCOMPARE(readFileBytes(path), old);
        QVERIFY(writeSummaryFile(s, QStringLiteral("шестизвенник"), path));
        QVERIFY(readFileBytes(path).startsWith(starts));
    }

    void usage_data() { addRows("usage.txt"); }
    void usage()
    {
        const auto at = [this](QString text) { return text.replace(QStringLiteral("{dir}"), m_dir); };
        QStringList arguments;
        for (const QString& word : words(cell("arguments")))
            arguments << at(word);
        const Run run = zuvrack(arguments);
        QCOMPARE(run.exit, cell("exit").toInt());
        QVERIFY2(run.out.contains(cell("out")), qPrintable(run.out));
        QVERIFY2(run.err.contains(at(cell("err"))), qPrintable(run.err));
        QVERIFY2(cell("made").isNull() || QFileInfo::exists(at(cell("made"))), qPrintable(run.err));
        QVERIFY2(cell("starts").isNull() || readFileBytes(at(cell("made"))).startsWith(cell("starts").toUtf8()), qPrintable(run.err));
    }

    // "zuvrack <project>" from that folder: the free-edit window shows it, and its save writes what
    // --kv writes.
    void window_projectFromTheCommandLine()
    {
        Session s;
        QString reason;
        QVERIFY(readProjectFile(m_dir + QStringLiteral("/механизм.zvr"), s, &reason));
        s.DataFolder = m_root.filePath(QStringLiteral("data"));
        const QString saved = m_dir + QStringLiteral("/сохранён.kv");
        ScriptedDialogs d(s);
        d.expectSaveFile(QStringLiteral("Файлы KVERTA (*.kv)| *.kv"), {saved, QStringLiteral("сохранён.kv")});
        Shell shell(s, d);
        shell.start();
        shell.showLoadedProject();
        FreeEditWindow* w = shell.freeEditWindow();
        QVERIFY(w && w->isVisible());
        QStringList shown;
        for (const QTreeWidgetItem* item : w->nodeItems())
            shown << item->text(0);
        QVERIFY2(shown.contains(QStringLiteral("Длина звена: 0.1")) && shown.contains(QStringLiteral("Координата Х: 0.4")),
                 qPrintable(shown.join(u'\n')));
        w->cmd_Save_Click();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QVERIFY(zuvrack({QStringLiteral("--kv"), m_dir + QStringLiteral("/механизм.zvr")}).exit == 0);
        QCOMPARE(readFileBytes(saved), readFileBytes(m_dir + QStringLiteral("/механизм.kv")));
    }

    // File -> "Открыть пример" lists the samples and opens the chosen one in free edit; its save
    // writes the project into the user's folder, not among the samples; the window's File menu
    // saves the summary as PDF.
    void window_sampleFromTheMenu()
    {
        Session s;
        s.DataFolder = m_root.filePath(QStringLiteral("data"));
        const QString samples = s.DataFolder + QStringLiteral("/samples/");
        const QString name = QStringLiteral("Шестизвенный механизм");
        QVERIFY(QDir().mkpath(samples) && QFile::copy(QStringLiteral(ZUVRACK_SAMPLES "/") + name + QStringLiteral(".zvr"),
                                                      samples + name + QStringLiteral(".zvr")));
        ScriptedDialogs d(s);
        d.expectSaveFile(QStringLiteral("Файлы KVERTA (*.kv)| *.kv"), {m_dir + QStringLiteral("/пример.kv"), QStringLiteral("пример.kv")})
            .expectSaveFile(QStringLiteral("Паспорт механизма (*.pdf)| *.pdf"), {m_dir + QStringLiteral("/паспорт"), QStringLiteral("паспорт")});
        Shell shell(s, d);
        shell.start();
        auto* menu = shell.mainWindow()->findChild<QMenu*>(QStringLiteral("mnu_Samples"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), name);
        menu->actions().first()->trigger();
        FreeEditWindow* w = shell.freeEditWindow();
        QVERIFY(w && w->isVisible());
        QVERIFY(std::any_of(w->nodeItems().begin(), w->nodeItems().end(),
                            [](const QTreeWidgetItem* i) { return i->text(0) == QStringLiteral("Длина звена: 0.35"); }));
        w->cmd_Save_Click();
        w->mnu_SaveSummaryPdf_Click();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QVERIFY(QFileInfo::exists(s.DataFolder + QStringLiteral("/d_files/пример.zvr")));
        QCOMPARE(QDir(samples).entryList(QDir::Files), QStringList{name + QStringLiteral(".zvr")});
        QVERIFY(readFileBytes(m_dir + QStringLiteral("/паспорт.pdf")).startsWith("%PDF"));
    }
};

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
