#include "model/errors.h"

#include "model/session.h"

namespace {

const QString kInputTitle = QStringLiteral("Обнаружена ошибка ввода!");
const QString kAnalysisTitle = QStringLiteral("Обнаружена ошибка анализа!");
const QString kReadTitle = QStringLiteral("Обнаружена ошибка чтения данных!");

struct Row {
    qint16 code;
    QString title;
    QStringList lines;
    MessageIcon icon = MessageIcon::Critical;
};

const QList<Row>& table()
{
    static const QList<Row> rows = {
        {5, kInputTitle, {QStringLiteral("Введеное значение должно быть числовым!")}},
        {12, kInputTitle, {QStringLiteral("Невозможно определить указанное звено в качестве стойки!")}},
        {13, kInputTitle, {QStringLiteral("Невозможно определить указанное звено в качестве начального!")}},
        {14, kInputTitle, {QStringLiteral("Ошибка ввода! Повторите ввод!")}},
        {15, kInputTitle, {QStringLiteral("Ошибка ввода!")}},
        {16, kAnalysisTitle,
         {QStringLiteral("Ошибка ввода! Число степеней свободы <= 0!"),
          QStringLiteral("Очевидно, структура механизма определена неверно!"),
          QStringLiteral("Рекомендуется вернуться на начальный этап!")}},
        {17, kAnalysisTitle,
         {QStringLiteral("Ошибка ввода! Невозможно создать файл, так как неуказано имя файла и/или директория "
                         "сохранения!")}},
        {18, kAnalysisTitle, {}},
        {19, kAnalysisTitle,
         {QStringLiteral("Число степеней свободы >= 2!"),
          QStringLiteral("KVERTA не умеет работать с механизмами, число степеней которых больше 1!"),
          QStringLiteral("Рекомендуется вернуться на начальный этап!")}},
        {20, kReadTitle,
         {QStringLiteral("Ошибка чтения! Файла не существует, либо это не файл KVERTA!"),
          QStringLiteral("Перехожу в режим создания нового механизма!")}},
        {21, kAnalysisTitle, {QStringLiteral("Нельзя в данном случае указывать нулевой размер!")}},
        {22, QStringLiteral("Предупреждение"),
         {QStringLiteral("Режим свободного редактирования, до завершения описания механизма, включить нельзя!")},
         MessageIcon::Information},
        {25, kInputTitle, {QStringLiteral("Нельзя, создавая группу, указывать одино и то же звено!")}},
        {kErrTooManyPairs, kInputTitle,
         {QStringLiteral("Ошибка ввода! В механизме не может быть больше 64 пар!"),
          QStringLiteral("Ответ не принят.")}},
        {kErrTooManyLinks, kInputTitle,
         {QStringLiteral("Ошибка ввода! Список звеньев заполнен: не больше 64 записей (по две на каждую пару)!"),
          QStringLiteral("Ответ не принят.")}},
        {kErrTooManyGroups, kInputTitle,
         {QStringLiteral("Ошибка ввода! В механизме не может быть больше 64 групп!"),
          QStringLiteral("Ответ не принят.")}},
        {kErrTooManyExtraPairs, kInputTitle,
         {QStringLiteral("Ошибка ввода! У звена не может быть больше 32 дополнительных пар!"),
          QStringLiteral("Ответ не принят.")}},
        {kErrTooManyPoints, kInputTitle,
         {QStringLiteral("Ошибка ввода! На звене не может быть больше 32 точек!"), QStringLiteral("Ответ не принят.")}},
        {201, QStringLiteral("Обнаружена неподдерживаемый файл!"),
         {QStringLiteral("Невозможно открыть! Этот файл не был создан программой Zuvrack!"),
          QStringLiteral("Перехожу в режим создания нового механизма!")}},
        {kErrProjectDamaged, kReadTitle,
         {QStringLiteral("Ошибка чтения! Файл проекта поврежден или записан не полностью!"),
          QStringLiteral("Перехожу в режим создания нового механизма!")}},
        {kErrWriteFailed, QStringLiteral("Обнаружена ошибка записи данных!"),
         {QStringLiteral("Ошибка записи! Файл не сохранен:")}},
        {kErrValueTooLong, QStringLiteral("Обнаружена ошибка записи данных!"),
         {QStringLiteral("Ошибка записи! Значение слишком длинное для файла проекта:")}},
    };
    return rows;
}

// The third line of code 15, chosen by the result code in ErrorDetail.
std::optional<QString> detailLine(int detail)
{
    switch (detail) {
    case 0: return QStringLiteral("Звена с таким именем не существует!");
    case 100: return QStringLiteral("Первое указанное звено - стойка!");
    case 101: return QStringLiteral("Первое указанное звено - начальное!");
    case 102: return QStringLiteral("Первое указанное звено - уже в группе!");
    case 200: return QStringLiteral("Второе указанное звено - стойка!");
    case 201: return QStringLiteral("Второе указанное звено - начальное!");
    case 202: return QStringLiteral("Второе указанное звено - уже в группе!");
    default: return std::nullopt;
    }
}

} // namespace

std::optional<ErrorMessage> errorMessage(qint16 code, const QString& errorDetail, const QString& reservedWord)
{
    for (const Row& row : table()) {
        if (row.code != code)
            continue;
        QStringList lines;
        QStringList rest = row.lines;
        if (code == 15) {
            bool ok = false;
            const double value = errorDetail.trimmed().toDouble(&ok);
            const int detail = static_cast<int>(value);
            const auto third = ok && value == detail ? detailLine(detail) : std::nullopt;
            if (!third)
                return std::nullopt;
            lines << QStringLiteral("Ошибка #: ") + QString::number(detail);
            rest << *third;
        } else {
            lines << QStringLiteral("Ошибка #: ") + QString::number(code);
        }
        if (code == 18)
            rest << QStringLiteral("Ошибка ввода! Имя '") + reservedWord + QStringLiteral("' уже зарезервировано!");
        if (code == kErrWriteFailed || code == kErrValueTooLong)
            rest << errorDetail;
        lines << rest;
        return ErrorMessage{row.title, lines.join(QStringLiteral("\r\n")), row.icon};
    }
    return std::nullopt;
}

void ShowError(const Session& session, Dialogs& dialogs, qint16 code)
{
    if (const auto box = errorMessage(code, session.ErrorDetail, session.ReservedWord))
        dialogs.message(box->title, box->text, box->icon);
}
