#include "tests/support/scripteddialogs.h"

#include "model/errors.h"
#include "model/session.h"

QString ScriptedDialogs::described(const Step& s)
{
    static const char* names[] = {"question", "message", "yes/no box", "save dialog", "open dialog"};
    return QStringLiteral("%1 [%2] [%3] mode %4 icon %5")
        .arg(QLatin1String(names[int(s.kind)]), s.text, s.title, QString::number(s.mode), QString::number(int(s.icon)))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
}

ScriptedDialogs& ScriptedDialogs::expectError(qint16 code, const QString& errorDetail, const QString& reservedWord)
{
    const auto box = errorMessage(code, errorDetail, reservedWord);
    if (!box)
        m_failures << QStringLiteral("script: error %1 has no box").arg(code);
    return box ? expect({.kind = Kind::Message, .text = box->text, .title = box->title, .icon = box->icon}) : *this;
}

QStringList ScriptedDialogs::problems() const
{
    QStringList all = m_failures;
    for (const Step& s : m_steps.mid(m_played))
        all << QStringLiteral("expected, never came: ") + described(s);
    return all;
}

const ScriptedDialogs::Step* ScriptedDialogs::play(const Step& call)
{
    const Step* step = m_played < m_steps.size() ? &m_steps[m_played] : nullptr;
    if (step && step->kind == call.kind) {
        ++m_played;
        if (described(*step) != described(call))
            m_failures << QStringLiteral("step %1: expected %2, got %3").arg(QString::number(m_played), described(*step), described(call));
        return step;
    }
    m_failures << QStringLiteral("step %1: off the script: %2").arg(m_played + 1).arg(described(call));
    if (++m_offScript >= kOffScriptLimit)
        qFatal("%s\nScriptedDialogs: %d calls off the script, a question probably repeats forever",
               qPrintable(m_failures.join(QLatin1Char('\n'))), m_offScript);
    return nullptr;
}

QString ScriptedDialogs::askQuestion(const QString& question, float mode, const QString& defaultText, QPoint)
{
    const Step* step = play({.kind = Kind::Question, .text = question, .title = defaultText, .mode = mode});
    m_lastClosed = step && step->close;
    m_lastBack = step && step->back;
    if (m_lastBack && m_throwsBack)
        throw ReturnToPreviousAnswer{};
    return !step ? (mode == 1.0f ? QStringLiteral("7") : defaultText) : step->close ? m_session.Answer : step->answer;
}

