#include "tests/support/scripteddialogs.h"

#include "model/errors.h"
#include "model/session.h"

namespace {

QString kindName(int kind)
{
    static const char* names[] = {"question", "message", "yes/no box", "save dialog", "open dialog"};
    return QString::fromLatin1(names[kind]);
}

QString shown(const QString& text)
{
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
}

} // namespace

ScriptedDialogs::ScriptedDialogs(const Session& session)
    : m_session(session)
{
}

ScriptedDialogs& ScriptedDialogs::expectQuestion(const QString& question, float mode, const QString& defaultText,
                                                 const QString& answer)
{
    m_steps.append({Kind::Question, question, defaultText, mode, MessageIcon::Critical, answer, false, 0, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectQuestionClosed(const QString& question, float mode,
                                                       const QString& defaultText)
{
    m_steps.append({Kind::Question, question, defaultText, mode, MessageIcon::Critical, {}, true, 0, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& title, const QString& text, MessageIcon icon)
{
    m_steps.append({Kind::Message, text, title, 0, icon, {}, false, 0, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectError(qint16 code, const QString& errorDetail, const QString& reservedWord)
{
    const auto box = errorMessage(code, errorDetail, reservedWord);
    if (!box) {
        m_failures << QStringLiteral("script: error %1 has no box").arg(code);
        return *this;
    }
    return expectMessage(box->title, box->text, box->icon);
}

ScriptedDialogs& ScriptedDialogs::expectYesNo(const QString& text, const QString& title, int answer)
{
    m_steps.append({Kind::YesNo, text, title, 0, MessageIcon::Question, {}, false, answer, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSaveFile(const QString& filter, const FileChoice& choice)
{
    m_steps.append({Kind::Save, {}, filter, 0, MessageIcon::Critical, {}, false, 0, choice});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(const QString& filter, const FileChoice& choice)
{
    m_steps.append({Kind::Open, {}, filter, 0, MessageIcon::Critical, {}, false, 0, choice});
    return *this;
}

QStringList ScriptedDialogs::problems() const
{
    QStringList all = m_failures;
    for (qsizetype i = m_played; i < m_steps.size(); ++i)
        all << QStringLiteral("expected %1 never came: %2 %3")
                   .arg(kindName(int(m_steps[i].kind)), shown(m_steps[i].title), shown(m_steps[i].text));
    return all;
}

const ScriptedDialogs::Step* ScriptedDialogs::next(Kind kind, const QString& what)
{
    if (m_played >= m_steps.size()) {
        m_failures << QStringLiteral("unexpected %1 after the script ended: %2").arg(kindName(int(kind)), shown(what));
        return nullptr;
    }
    const Step& step = m_steps[m_played];
    if (step.kind != kind) {
        m_failures << QStringLiteral("step %1: expected %2, got %3: %4")
                          .arg(m_played + 1)
                          .arg(kindName(int(step.kind)), kindName(int(kind)), shown(what));
        return nullptr;
    }
    ++m_played;
    return &step;
}

QString ScriptedDialogs::askQuestion(const QString& question, float mode, const QString& defaultText, QPoint)
{
    m_asked << question;
    const Step* step = next(Kind::Question, question);
    // Off the script: already a failure. Give an answer that ends any "ask again" loop.
    if (!step)
        return mode == 1.0f ? QStringLiteral("7") : defaultText;
    if (step->text != question || step->mode != mode || step->title != defaultText)
        m_failures << QStringLiteral("step %1: expected question [%2] mode %3 default [%4], got [%5] mode %6 default [%7]")
                          .arg(m_played)
                          .arg(shown(step->text))
                          .arg(double(step->mode))
                          .arg(step->title, shown(question))
                          .arg(double(mode))
                          .arg(defaultText);
    return step->close ? m_session.Answer : step->answer;
}

void ScriptedDialogs::message(const QString& title, const QString& text, MessageIcon icon)
{
    const Step* step = next(Kind::Message, title + QLatin1Char(' ') + text);
    if (step && (step->title != title || step->text != text || step->icon != icon))
        m_failures << QStringLiteral("step %1: expected message [%2] [%3], got [%4] [%5]")
                          .arg(m_played)
                          .arg(step->title, shown(step->text), title, shown(text));
}

int ScriptedDialogs::yesNoBox(const QString& text, const QString& title)
{
    const Step* step = next(Kind::YesNo, text);
    if (!step)
        return 7;
    if (step->text != text || step->title != title)
        m_failures << QStringLiteral("step %1: expected yes/no [%2] [%3], got [%4] [%5]")
                          .arg(m_played)
                          .arg(step->title, step->text, title, text);
    return step->button;
}

FileChoice ScriptedDialogs::saveFile(const QString& filter)
{
    const Step* step = next(Kind::Save, filter);
    if (!step)
        return {};
    if (step->title != filter)
        m_failures << QStringLiteral("step %1: expected save filter [%2], got [%3]").arg(m_played).arg(step->title, filter);
    return step->file;
}

FileChoice ScriptedDialogs::openFile(const QString& filter)
{
    const Step* step = next(Kind::Open, filter);
    if (!step)
        return {};
    if (step->title != filter)
        m_failures << QStringLiteral("step %1: expected open filter [%2], got [%3]").arg(m_played).arg(step->title, filter);
    return step->file;
}
