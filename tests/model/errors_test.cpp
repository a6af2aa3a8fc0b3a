#include "model/errors.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "tests/support/testtable.h"

#include <QTest>

class ErrorsTest : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : dataRows("errors.txt"))
            QTest::addRow("%s %s", qPrintable(row[0]), qPrintable(row.value(1))) << row;
    }
    // Titles, lines joined by CR LF (none after the last), icons; no box where the table has none.
    void table()
    {
        QFETCH(QStringList, row);
        const auto box = errorMessage(qint16(row[0].toInt()), row[1], row[2]);
        QCOMPARE(box.has_value(), row.value(3) != QStringLiteral("-"));
        if (!box)
            return;
        QCOMPARE(box->title, row[4]);
        QCOMPARE(box->text, row.mid(5).join(QStringLiteral("\r\n")));
        QCOMPARE(box->icon, row[3] == QStringLiteral("i") ? MessageIcon::Information : MessageIcon::Critical);
    }

    void showError_readsTheSessionAndShowsThroughDialogs()
    {
        Session s;
        s.ErrorDetail = QStringLiteral("202");
        s.ReservedWord = QStringLiteral("K1");
        ScriptedDialogs d(s);
        d.expectError(15, QStringLiteral("202")).expectError(18, QString(), QStringLiteral("K1"));
        ShowError(s, d, 15);
        ShowError(s, d, 8); // no box
        ShowError(s, d, 18);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(ErrorsTest)
#include "errors_test.moc"
