#include "errors.h"
#include "scripteddialogs.h"
#include "session.h"

#include <QTest>

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString input = QStringLiteral("Обнаружена ошибка ввода!");
const QString analysis = QStringLiteral("Обнаружена ошибка анализа!");
} // namespace

class ErrorsTest : public QObject {
    Q_OBJECT
private slots:
    void table_titlesLinesAndIcons_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("reserved");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("icon");
        const int critical = int(MessageIcon::Critical);

        QTest::newRow("5") << 5 << QString() << QString() << input
                           << QStringList{QStringLiteral("Ошибка #: 5"), QStringLiteral("Введеное значение должно быть числовым!")}
                           << critical;
        QTest::newRow("12") << 12 << QString() << QString() << input
                            << QStringList{QStringLiteral("Ошибка #: 12"),
                                           QStringLiteral("Невозможно определить указанное звено в качестве стойки!")}
                            << critical;
        QTest::newRow("13") << 13 << QString() << QString() << input
                            << QStringList{QStringLiteral("Ошибка #: 13"),
                                           QStringLiteral("Невозможно определить указанное звено в качестве начального!")}
                            << critical;
        QTest::newRow("14") << 14 << QString() << QString() << input
                            << QStringList{QStringLiteral("Ошибка #: 14"), QStringLiteral("Ошибка ввода! Повторите ввод!")}
                            << critical;
        QTest::newRow("16") << 16 << QString() << QString() << analysis
                            << QStringList{QStringLiteral("Ошибка #: 16"), QStringLiteral("Ошибка ввода! Число степеней свободы <= 0!"),
                                           QStringLiteral("Очевидно, структура механизма определена неверно!"),
                                           QStringLiteral("Рекомендуется вернуться на начальный этап!")}
                            << critical;
        QTest::newRow("17") << 17 << QString() << QString() << analysis
                            << QStringList{QStringLiteral("Ошибка #: 17"),
                                           QStringLiteral("Ошибка ввода! Невозможно создать файл, так как неуказано имя файла "
                                                          "и/или директория сохранения!")}
                            << critical;
        QTest::newRow("18 quotes the reserved word")
            << 18 << QString() << QStringLiteral("AB") << analysis
            << QStringList{QStringLiteral("Ошибка #: 18"), QStringLiteral("Ошибка ввода! Имя 'AB' уже зарезервировано!")} << critical;
        QTest::newRow("19") << 19 << QString() << QString() << analysis
                            << QStringList{QStringLiteral("Ошибка #: 19"), QStringLiteral("Число степеней свободы >= 2!"),
                                           QStringLiteral("KVERTA не умеет работать с механизмами, число степеней которых больше 1!"),
                                           QStringLiteral("Рекомендуется вернуться на начальный этап!")}
                            << critical;
        QTest::newRow("20") << 20 << QString() << QString() << QStringLiteral("Обнаружена ошибка чтения данных!")
                            << QStringList{QStringLiteral("Ошибка #: 20"),
                                           QStringLiteral("Ошибка чтения! Файла не существует, либо это не файл KVERTA!"),
                                           QStringLiteral("Перехожу в режим создания нового механизма!")}
                            << critical;
        QTest::newRow("21") << 21 << QString() << QString() << analysis
                            << QStringList{QStringLiteral("Ошибка #: 21"),
                                           QStringLiteral("Нельзя в данном случае указывать нулевой размер!")}
                            << critical;
        QTest::newRow("22 informs") << 22 << QString() << QString() << QStringLiteral("Предупреждение")
                                    << QStringList{QStringLiteral("Ошибка #: 22"),
                                                   QStringLiteral("Режим свободного редактирования, до завершения описания "
                                                                  "механизма, включить нельзя!")}
                                    << int(MessageIcon::Information);
        QTest::newRow("25") << 25 << QString() << QString() << input
                            << QStringList{QStringLiteral("Ошибка #: 25"),
                                           QStringLiteral("Нельзя, создавая группу, указывать одино и то же звено!")}
                            << critical;
        QTest::newRow("201") << 201 << QString() << QString() << QStringLiteral("Обнаружена неподдерживаемый файл!")
                             << QStringList{QStringLiteral("Ошибка #: 201"),
                                            QStringLiteral("Невозможно открыть! Этот файл не был создан программой Zuvrack!"),
                                            QStringLiteral("Перехожу в режим создания нового механизма!")}
                             << critical;

        const QStringList details[] = {
            {QStringLiteral("0"), QStringLiteral("Звена с таким именем не существует!")},
            {QStringLiteral("100"), QStringLiteral("Первое указанное звено - стойка!")},
            {QStringLiteral("101"), QStringLiteral("Первое указанное звено - начальное!")},
            {QStringLiteral("102"), QStringLiteral("Первое указанное звено - уже в группе!")},
            {QStringLiteral("200"), QStringLiteral("Второе указанное звено - стойка!")},
            {QStringLiteral("201"), QStringLiteral("Второе указанное звено - начальное!")},
            {QStringLiteral("202"), QStringLiteral("Второе указанное звено - уже в группе!")},
        };
        for (const QStringList& d : details)
            QTest::addRow("15 detail %s", qPrintable(d[0]))
                << 15 << d[0] << QString() << input
                << QStringList{QStringLiteral("Ошибка #: ") + d[0], QStringLiteral("Ошибка ввода!"), d[1]} << critical;
    }
    void table_titlesLinesAndIcons()
    {
        QFETCH(int, code);
        QFETCH(QString, detail);
        QFETCH(QString, reserved);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(int, icon);
        const auto box = errorMessage(qint16(code), detail, reserved);
        QVERIFY(box.has_value());
        QCOMPARE(box->title, title);
        QCOMPARE(box->text, lines.join(crlf));
        QCOMPARE(int(box->icon), icon);
        QVERIFY(!box->text.endsWith(crlf));
    }

    void table_codesWithoutBox_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("detail");
        QTest::newRow("8") << 8 << QString();
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("-1") << -1 << QString();
        QTest::newRow("23") << 23 << QString();
        QTest::newRow("15 detail 1") << 15 << QStringLiteral("1");
        QTest::newRow("15 detail 103") << 15 << QStringLiteral("103");
        QTest::newRow("15 detail text") << 15 << QStringLiteral("abc");
        QTest::newRow("15 detail empty") << 15 << QString();
        QTest::newRow("15 detail 100.5") << 15 << QStringLiteral("100.5");
    }
    void table_codesWithoutBox()
    {
        QFETCH(int, code);
        QFETCH(QString, detail);
        QVERIFY(!errorMessage(qint16(code), detail, QString()).has_value());
    }

    void capacityCodes_haveInputBoxes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("pairs") << int(kErrTooManyPairs) << QStringLiteral("64 пар");
        QTest::newRow("links") << int(kErrTooManyLinks) << QStringLiteral("64 записей");
        QTest::newRow("groups") << int(kErrTooManyGroups) << QStringLiteral("64 групп");
        QTest::newRow("extra pairs") << int(kErrTooManyExtraPairs) << QStringLiteral("32 дополнительных пар");
        QTest::newRow("points") << int(kErrTooManyPoints) << QStringLiteral("32 точек");
    }
    void capacityCodes_haveInputBoxes()
    {
        QFETCH(int, code);
        QFETCH(QString, mentions);
        const auto box = errorMessage(qint16(code), QString(), QString());
        QVERIFY(box.has_value());
        QCOMPARE(box->title, input);
        QVERIFY(box->text.startsWith(QStringLiteral("Ошибка #: ") + QString::number(code) + crlf));
        QVERIFY2(box->text.contains(mentions), qPrintable(box->text));
    }

    void fileErrors_nameTheFileOrValue()
    {
        const auto write = errorMessage(kErrWriteFailed, QStringLiteral("/tmp/x/m.kv"), QString());
        QVERIFY(write.has_value());
        QVERIFY(write->text.endsWith(crlf + QStringLiteral("/tmp/x/m.kv")));
        const auto tooLong = errorMessage(kErrValueTooLong, QStringLiteral("12345"), QString());
        QVERIFY(tooLong.has_value());
        QVERIFY(tooLong->text.endsWith(crlf + QStringLiteral("12345")));
    }

    void showError_readsSessionAndShowsThroughDialogs()
    {
        Session s;
        s.ErrorDetail = QStringLiteral("202");
        s.ReservedWord = QStringLiteral("K1");
        ScriptedDialogs d(s);
        d.expectMessage(input,
                        QStringLiteral("Ошибка #: 202") + crlf + QStringLiteral("Ошибка ввода!") + crlf +
                            QStringLiteral("Второе указанное звено - уже в группе!"),
                        MessageIcon::Critical);
        d.expectMessage(analysis, QStringLiteral("Ошибка #: 18") + crlf + QStringLiteral("Ошибка ввода! Имя 'K1' уже зарезервировано!"),
                        MessageIcon::Critical);
        ShowError(s, d, 15);
        ShowError(s, d, 8); // no box
        ShowError(s, d, 18);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(ErrorsTest)
#include "errors_test.moc"
