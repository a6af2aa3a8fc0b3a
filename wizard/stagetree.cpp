#include "wizard/stagetree.h"

const QList<StageNode>& stageTree()
{
    static const QList<StageNode> nodes = {
        {QStringLiteral("S1"), QString(), QStringLiteral("Этап 1: КИНЕМАТИЧЕСКОЕ ОПИСАНИЕ МЕХАНИЗМА")},
        {QStringLiteral("S11"), QStringLiteral("S1"), QStringLiteral("Этап 1.1: описание кинематических пар")},
        {QStringLiteral("S12"), QStringLiteral("S1"), QStringLiteral("Этап 1.2: выбор стойки")},
        {QStringLiteral("S13"), QStringLiteral("S1"), QStringLiteral("Этап 1.3: выбор начального звена")},
        {QStringLiteral("S14"), QStringLiteral("S1"), QStringLiteral("Этап 1.4: установка дополнительных точек")},
        {QStringLiteral("S141"), QStringLiteral("S14"), QStringLiteral("Этап 1.4.1: ввод данных для силового анализа")},
        {QStringLiteral("S142"), QStringLiteral("S14"), QStringLiteral("Этап 1.4.2: ввод остальных точек")},
        {QStringLiteral("S15"), QStringLiteral("S1"), QStringLiteral("Этап 1.5: структурный анализ механизма")},
        {QStringLiteral("S2"), QString(), QStringLiteral("Этап 2: ЗАДАНИЕ РАЗМЕРОВ")},
        {QStringLiteral("S21"), QStringLiteral("S2"), QStringLiteral("Этап 2.1: Задание координат пар стойки")},
        {QStringLiteral("S22"), QStringLiteral("S2"), QStringLiteral("Этап 2.2: Задание длин звеньев")},
        {QStringLiteral("S23"), QStringLiteral("S2"), QStringLiteral("Этап 2.3: Анализ сборки групп механизма")},
        {QStringLiteral("S24"), QStringLiteral("S2"),
         QStringLiteral("Этап 2.4: Определение координат дополнительных точек на звеньях")},
        {QStringLiteral("S25"), QStringLiteral("S2"), QStringLiteral("Этап 2.5: Определение координат центров масс звеньев")},
        {QStringLiteral("S26"), QStringLiteral("S2"),
         QStringLiteral("Этап 2.6: Определение положения точек приложения силы и значения сил")},
        {QStringLiteral("S27"), QStringLiteral("S2"),
         QStringLiteral("Этап 2.7: Определение величины масс звеньев, их моментов инерции и внешних приведенных "
                        "моментов")},
        {QStringLiteral("S3"), QString(), QStringLiteral("Этап 3: ОКНЧАНИЕ")},
    };
    return nodes;
}

StageMarks stageMarks(qint16 state)
{
    const auto one = [](const char* parent, const char* child) {
        return StageMarks{{QLatin1String(parent), QLatin1String(child)}, {}};
    };
    switch (state) {
    case 11:
    case 12:
    case 13:
    case 14:
        return {{QStringLiteral("S1"), QStringLiteral("S11")},
                {QStringLiteral("S1"), QStringLiteral("S14"), QStringLiteral("S2")}};
    case 2: return one("S1", "S12");
    case 3: return one("S1", "S13");
    case 4: return one("S1", "S14");
    case 51: return one("S1", "S141");
    case 71: return one("S1", "S142");
    case 81: return one("S1", "S15");
    case 9: return one("S2", "S21");
    case 10: return one("S2", "S22");
    case 110: return one("S2", "S23");
    case 120: return one("S2", "S24");
    case 130: return one("S2", "S25");
    case 140: return one("S2", "S26");
    case 150: return one("S2", "S27");
    default: return {};
    }
}

QString StatePrompt(qint16 state, qint16 w)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString groups =
        QStringLiteral("Разбейте механизмы на группы Ассура и перечислите их в порядке возможности кинематического "
                       "анализа") +
        crlf + crlf + crlf;
    const QString forces = QStringLiteral("Перечислите точки приложения сил на звеньях") + crlf + crlf;
    switch (state) {
    // The second letter Р is the Cyrillic Er, as the students have always seen it.
    case 11: return QStringLiteral("ВВЕДИТЕ ТИП ПАРЫ:") + crlf + QStringLiteral("R - вращательная пара, Р - поступательная");
    case 12: return QStringLiteral("ВВЕДИТЕ ПЕРВОЕ ЗВЕНО ПАРЫ");
    case 13: return QStringLiteral("ВВЕДИТЕ ВТОРОЕ ЗВЕНО ПАРЫ");
    case 14: return QStringLiteral("ВВЕДИТЕ ИМЯ ПАРЫ");
    case 2: return QStringLiteral("Введите имя звена, являющегося стойкой");
    case 3: return QStringLiteral("Введите имя звена, являющегося начальным") + crlf + QStringLiteral("W = ") + QString::number(w);
    case 4: return QStringLiteral("Введите центр масс звена ");
    case 51: return forces + QStringLiteral("ЗВЕНО:");
    case 52: return forces + QStringLiteral("ТОЧКА ПРИЛОЖЕНИЯ СИЛЫ:");
    case 6: return QStringLiteral("Есть еще точки, представляющие интерес?");
    case 71: return QStringLiteral("ВВЕДИТЕ ИМЯ ЗВЕНА: ");
    case 72: return QStringLiteral("ВВЕДИТЕ ИМЯ ТОЧКИ: ");
    case 81: return groups + QStringLiteral("Введите имя первого звена группы");
    case 82: return groups + QStringLiteral("Введите имя второго звена группы");
    case 9: return QStringLiteral("Задание координат пар стойки");
    case 110: return QStringLiteral("Выбор сборки групп механизма");
    case 120: return QStringLiteral("Установка дополнительных точек");
    case 130: return QStringLiteral("Установка координат центров масс");
    case 140: return QStringLiteral("Задание сил");
    case 150: return QStringLiteral("Задание масс, моментов инерции и внешних моментов");
    case 200: return QStringLiteral("К О Н Е Ц !!!");
    default: return QString();
    }
}

StagePicture stagePicture(qint16 code)
{
    switch (code) {
    case 0: return {StagePicture::Nothing, QString()};
    case 11: return {StagePicture::Load, QStringLiteral("Bitmaps/stage-01-.gif")};
    case 81: return {StagePicture::Load, QStringLiteral("Bitmaps/stage-02-.gif")};
    default: return {StagePicture::Keep, QString()};
    }
}
