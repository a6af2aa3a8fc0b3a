#include "files/kvcompiler.h"
#include "tests/files/mechanisms.h"
#include "model/session.h"

#include <QTest>

class KvCompilerTest : public QObject {
    Q_OBJECT
private slots:
    void nameLines_data() { testmech::addRows(QStringLiteral("kv_namelines.cases")); }
    void nameLines()
    {
        QCOMPARE(NameLines(testmech::cell("name")), testmech::cell("lines").split(QLatin1Char(';')));
    }

    void compile_data() { testmech::addRows(QStringLiteral("kv_compile.cases")); }
    // The expected files hold the lines, and "%n" where the progress reaches n.
    void compile()
    {
        Session s;
        testmech::build(s, testmech::cell("description"));
        const KvListing listing = compileKv(s);
        QStringList got;
        for (qsizetype i = 0, mark = 0; i <= listing.lines.size(); ++i) {
            for (; mark < listing.marks.size() && listing.marks[mark].afterLines == i; ++mark)
                got << QStringLiteral("%") + QString::number(listing.marks[mark].percent);
            got << listing.lines.mid(i, 1);
        }
        QCOMPARE(got, testmech::dataLines(testmech::cell("expected")));
    }

    void oddRecords_data() { testmech::addRows(QStringLiteral("kv_oddrecords.cases")); }
    void oddRecords()
    {
        Session s;
        testmech::build(s, QStringLiteral("@crankslider;") + testmech::cell("changes"));
        const QStringList lines = compileKv(s).lines;
        const QStringList expected = testmech::cell("following").split(QLatin1Char(';'));
        const qsizetype at = lines.indexOf(testmech::cell("heading"));
        QVERIFY(at >= 0);
        QCOMPARE(lines.mid(at + 1, expected.size()), expected);
        QCOMPARE(lines.last(), QStringLiteral("y"));
    }
};

QTEST_APPLESS_MAIN(KvCompilerTest)
#include "kvcompiler_test.moc"
