#include "tests/support/testtable.h"
#include "model/translator.h"

#include <QTest>

class TranslatorTest : public QObject {
    Q_OBJECT
private slots:
    void translateCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        for (const QStringList& row : dataRows("translator.txt"))
            QTest::addRow("[%s]", qPrintable(row[0])) << row[0] << row.value(1);
    }
    void translateCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        QCOMPARE(TranslateCode(code), text);
    }
};

QTEST_GUILESS_MAIN(TranslatorTest)
#include "translator_test.moc"
