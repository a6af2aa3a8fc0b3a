#include "tests/support/scripteddialogs.h"

#include "model/errors.h"
#include "model/session.h"

#include <cstdio>

namespace {

QString shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
}

QString described(int kind, const QString& text, const QString& title, float mode, MessageIcon icon)
{
    static const char* names[] = {"question", "message", "yes/no box", "save dialog", "open dialog"};
    return QStringLiteral("%1 [%2] [%3] mode %4 icon %5")
        .arg(QLatin1String(names[kind]), shown(text), shown(title))
        .arg(double(mode))
        .arg(int(icon));
}

} // namespace

ScriptedDialogs::ScriptedDialogs(const Session& session)
    : m_session(session)
{
}

ScriptedDialogs& ScriptedDialogs::expectError(qint16 code, const QString& errorDetail, const QString& reservedWord)
{
    const auto box = errorMessage(code, errorDetail, reservedWord);
    if (!box)
        m_failures << QStringLiteral("script: error %1 has no box").arg(code);
    return box ? expectMessage(box->title, box->text, box->icon) : *this;
}

QStringList ScriptedDialogs::problems() const
{
    QStringList all = m_failures;
    for (const Step& s : m_steps.mid(m_played))
        all << QStringLiteral("expected, never came: ") + described(int(s.kind), s.text, s.title, s.mode, s.icon);
    return all;
}

const ScriptedDialogs::Step* ScriptedDialogs::play(const Step& call)
{
    const QString got = described(int(call.kind), call.text, call.title, call.mode, call.icon);
    const Step* step = m_played < m_steps.size() ? &m_steps[m_played] : nullptr;
    if (step && step->kind == call.kind) {
        ++m_played;
        if (step->text != call.text || step->title != call.title || step->mode != call.mode || step->icon != call.icon)
            m_failures << QStringLiteral("step %1: expected %2, got %3")
                              .arg(m_played)
                              .arg(described(int(step->kind), step->text, step->title, step->mode, step->icon), got);
        return step;
    }
    m_failures << QStringLiteral("step %1: off the script: %2").arg(m_played + 1).arg(got);
    if (++m_offScript >= kOffScriptLimit) {
        std::fprintf(stderr, "%s\n", qPrintable(m_failures.join(QLatin1Char('\n'))));
        qFatal("ScriptedDialogs: %d calls off the script, a question probably repeats forever", m_offScript);
    }
    return nullptr;
}

QString ScriptedDialogs::askQuestion(const QString& question, float mode, const QString& defaultText, QPoint)
{
    m_asked << question;
    const Step* step = play({.kind = Kind::Question, .text = question, .title = defaultText, .mode = mode});
    m_lastClosed = step && step->close;
    if (!step)
        return mode == 1.0f ? QStringLiteral("7") : defaultText;
    return step->close ? m_session.Answer : step->answer;
}

void ScriptedDialogs::message(const QString& title, const QString& text, MessageIcon icon)
{
    play({.kind = Kind::Message, .text = text, .title = title, .icon = icon});
}

int ScriptedDialogs::yesNoBox(const QString& text, const QString& title)
{
    const Step* step = play({.kind = Kind::YesNo, .text = text, .title = title, .icon = MessageIcon::Question});
    return step ? step->button : 7;
}

FileChoice ScriptedDialogs::saveFile(const QString& filter)
{
    const Step* step = play({.kind = Kind::Save, .title = filter});
    return step ? step->file : FileChoice{};
}

FileChoice ScriptedDialogs::openFile(const QString& filter)
{
    const Step* step = play({.kind = Kind::Open, .title = filter});
    return step ? step->file : FileChoice{};
}
