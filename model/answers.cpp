#include "model/answers.h"

#include "model/errors.h"
#include "model/session.h"

#include <QLocale>

#include <algorithm>

namespace {

bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isLatinUpper(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}

char32_t upper(char32_t c)
{
    return QChar::toUpper(c);
}

bool nameInUse(const Session& s, const QString& name)
{
    for (int i = 1; i <= s.ParaCount && i < kSlots; ++i)
        if (s.Paras[i].Name == name)
            return true;
    for (int i = 1; i <= s.ZvenoCount && i < kSlots; ++i) {
        const ZVENO& z = s.Zvenos[i];
        for (int j = 1; j <= z.DPCount && j < kSubSlots; ++j)
            if (z.DP[j].Name == name)
                return true;
        for (int j = 1; j <= z.TwafzCount && j < kSubSlots; ++j)
            if (z.TwafzName[j] == name)
                return true;
        if (z.CM == name)
            return true;
    }
    return false;
}

QString reject(Session& s, Dialogs& d, qint16 code)
{
    ShowError(s, d, code);
    return kRejected;
}

} // namespace

QString CheckAnswer(Session& session, Dialogs& dialogs, const QString& answer, qint16 mode)
{
    // Lengths and positions count characters, not UTF-16 units.
    const QList<uint> chars = answer.toUcs4();
    const qsizetype length = chars.size();
    const bool blank = answer == QStringLiteral(" ");
    const char32_t first = length > 0 ? chars.first() : 0;
    const char32_t last = length > 0 ? chars.last() : 0;

    switch (mode) {
    case kModePairType:
        if (length >= 2)
            return reject(session, dialogs, 14);
        if (length == 0 || blank)
            return kRejected;
        if (first == U'p' || first == U'P' || first == U'r' || first == U'R')
            return answer;
        return reject(session, dialogs, 14);

    case kModeLinkNumber:
        if (length >= 3)
            return reject(session, dialogs, 14);
        if (length == 0 || blank)
            return kRejected;
        if (isDigit(first) && isDigit(last))
            return answer;
        return reject(session, dialogs, 14);

    case kModeName:
        session.ReservedWord = answer;
        if (length >= 3)
            return reject(session, dialogs, 14);
        if (length == 0 && session.WizardState == 4)
            return answer;
        if (length == 0 || blank)
            return kRejected;
        // A Tab or line break pasted beside a letter would go into both files and break them.
        if (!(isLatinUpper(upper(last)) || isLatinUpper(upper(first)) || isDigit(last) || isDigit(first)) ||
            hasControlCharacter(answer))
            return reject(session, dialogs, 14);
        if (nameInUse(session, answer))
            return reject(session, dialogs, 18);
        return answer;

    case kModeNumber:
        if (length == 0 || blank)
            return kRejected;
        for (qsizetype k = 0; k < length; ++k) {
            const char32_t c = chars[k];
            if (isDigit(c) || c == U'.' || (c == U'-' && k == 0))
                continue;
            return reject(session, dialogs, 14);
        }
        return answer;

    default:
        return QString();
    }
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

QString Zeros(int n)
{
    return n > 0 ? QString(n, QLatin1Char('0')) : QString();
}

bool isNumberText(const QString& text)
{
    qsizetype k = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    int digits = 0;
    int points = 0;
    for (; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

std::optional<double> numberValue(const QString& text)
{
    if (!isNumberText(text))
        return std::nullopt;
    QString t = text;
    // "5." and "-.5" are numbers here; the C locale wants a digit on each side of the point.
    if (t.endsWith(QLatin1Char('.')))
        t.append(QLatin1Char('0'));
    t.replace(QStringLiteral("-."), QStringLiteral("-0."));
    if (t.startsWith(QLatin1Char('.')))
        t.prepend(QLatin1Char('0'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QString ToKvNumber(const QString& value)
{
    static const QString zero = QStringLiteral(" 0.00000000000000E+0000");
    if (value == QStringLiteral("0"))
        return zero;
    if (value.isEmpty() || !isNumberText(value))
        return kRejected;

    // Work on the decimal digits themselves so that no value loses precision or magnitude:
    // the mantissa is the first 15 significant digits, cut, and the exponent comes from the
    // position of the first significant digit relative to the point.
    const bool negative = value.front() == QLatin1Char('-');
    const QStringView body = QStringView(value).mid(negative ? 1 : 0);
    const qsizetype pointAt = body.indexOf(QLatin1Char('.'));
    const qsizetype point = pointAt < 0 ? body.size() : pointAt;
    QChar digits[15];
    int taken = 0;
    qsizetype firstSignificant = -1, k = 0;
    for (const QChar c : body) {
        if (c == QLatin1Char('.'))
            continue;
        if (firstSignificant < 0 && c != QLatin1Char('0'))
            firstSignificant = k;
        if (firstSignificant >= 0 && taken < 15)
            digits[taken++] = c;
        ++k;
    }
    if (firstSignificant < 0)
        return zero;

    const qint64 exponent = static_cast<qint64>(point) - firstSignificant - 1;
    const QString e = QString::number(exponent < 0 ? -exponent : exponent);
    QString out;
    out.reserve(22 + qMax<qsizetype>(4, e.size()));
    out += negative ? QLatin1Char('-') : QLatin1Char(' ');
    out += digits[0];
    out += QLatin1Char('.');
    out.append(digits + 1, taken - 1);
    out += Zeros(15 - taken);
    out += QLatin1Char('E');
    out += exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
    out += Zeros(4 - static_cast<int>(e.size()));
    out += e;
    return out;
}
