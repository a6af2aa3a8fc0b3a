#pragma once

#include "model/dialogs.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdio>

// The person at the screen, for the benchmarks: answers each question from a table by its text.
// Anything not in the table is a fault of the run; it is noted and counted, and answered so the
// run can finish ("7" to a yes/no question, empty text otherwise).
class BenchDialogs : public Dialogs {
public:
    QHash<QString, QString> answers;
    FileChoice saveChoice;
    QStringList unexpected;

    QString askQuestion(const QString& question, float mode, const QString&, QPoint) override
    {
        const auto it = answers.constFind(question);
        if (it != answers.constEnd())
            return *it;
        note(QStringLiteral("question: ") + question);
        return mode == 1.0f ? QStringLiteral("7") : QString();
    }
    void message(const QString& title, const QString& text, MessageIcon) override
    {
        note(QStringLiteral("message: ") + title + QStringLiteral(": ") + text);
    }
    int yesNoBox(const QString& text, const QString&) override
    {
        note(QStringLiteral("yes/no box: ") + text);
        return 7;
    }
    FileChoice saveFile(const QString&) override { return saveChoice; }
    FileChoice openFile(const QString&) override
    {
        note(QStringLiteral("open-file dialog"));
        return {};
    }

private:
    void note(const QString& what)
    {
        unexpected << what;
        std::fprintf(stderr, "unexpected %s\n", qPrintable(what));
    }
};

// The answers of a four-bar description: A on the frame at the origin, D at 0.4 m, cranks of
// 0.1, 0.5 and 0.3 m, the group traversed clockwise; no force analysis, no further points.
inline void answerFourBar(BenchDialogs& d)
{
    const QString yes = QStringLiteral("6");
    const QString no = QStringLiteral("7");
    d.answers.insert(QStringLiteral("Нажмите 'Да' для создания нового механизма\r\n"
                                    "Нажмите 'Нет' для загрузки механизма из файла"),
                     yes);
    d.answers.insert(QStringLiteral("Будет производиться силовой анализ?"), no);
    d.answers.insert(QStringLiteral("Есть еще точки, представляющие интерес?"), no);
    d.answers.insert(QStringLiteral("Введите координату Х пары A"), QStringLiteral("0"));
    d.answers.insert(QStringLiteral("Введите координату Y пары A"), QStringLiteral("0"));
    d.answers.insert(QStringLiteral("Введите координату Х пары D"), QStringLiteral("0.4"));
    d.answers.insert(QStringLiteral("Введите координату Y пары D"), QStringLiteral("0"));
    d.answers.insert(QStringLiteral("Введите расстояние между парами: A-B"), QStringLiteral("0.1"));
    d.answers.insert(QStringLiteral("Введите расстояние между парами: B-C"), QStringLiteral("0.5"));
    d.answers.insert(QStringLiteral("Введите расстояние между парами: C-D"), QStringLiteral("0.3"));
    d.answers.insert(QStringLiteral("Группа: 1(B-C-D) Тип - 1\r\nПары B-C-D обходятся ПО часовой стрелке?"), yes);
}

// Stage 1 of the four-bar as typed: the pairs, end of stage ("!E"), the frame, the driving link and
// the group's two links.
inline const QStringList& fourBarStageOne()
{
    static const QStringList words = QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 0 D !E 0 1 2 3").split(QLatin1Char(' '));
    return words;
}
