#pragma once

#include "model/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

class Session;

// A Dialogs double that plays a script: each call must match the next expected step, in order.
// A call that does not match is recorded in problems() and answered so that an "ask again" loop
// ends where it can ("7", the default text); a fault that keeps asking all the same ends the test
// program after kOffScriptLimit such calls, with every problem printed, instead of hanging it.
class ScriptedDialogs : public Dialogs {
public:
    static constexpr int kOffScriptLimit = 20;

    explicit ScriptedDialogs(const Session& session) : m_session(session) {}

    // The question dialog. The answer is the text to give ("6", "7", any typed text).
    ScriptedDialogs& expectQuestion(const QString& question, float mode, const QString& defaultText, const QString& answer)
    {
        return expect({.kind = Kind::Question, .text = question, .title = defaultText, .mode = mode, .answer = answer});
    }
    // The question dialog closed with its close box: it returns the previous Answer.
    ScriptedDialogs& expectQuestionClosed(const QString& question, float mode, const QString& defaultText)
    {
        return expect({.kind = Kind::Question, .text = question, .title = defaultText, .mode = mode, .close = true});
    }
    // The question left for the answer before it (Alt+Left): thrown as the real dialogs throw it,
    // or, with setThrowsBack(false), only said by lastBack() for a test that presses the key.
    ScriptedDialogs& expectQuestionBack(const QString& question, float mode, const QString& defaultText)
    {
        return expect({.kind = Kind::Question, .text = question, .title = defaultText, .mode = mode, .back = true});
    }
    void setThrowsBack(bool throws) { m_throwsBack = throws; }
    bool lastBack() const { return m_lastBack; }
    // The message box of an error code, built from the error table with the given detail texts.
    ScriptedDialogs& expectError(qint16 code, const QString& errorDetail = QString(),
                                 const QString& reservedWord = QString());
    ScriptedDialogs& expectMessage(const QString& title, const QString& text, MessageIcon icon)
    {
        return expect({.kind = Kind::Message, .text = text, .title = title, .icon = icon});
    }
    ScriptedDialogs& expectYesNo(const QString& text, const QString& title, int answer)
    {
        return expect({.kind = Kind::YesNo, .text = text, .title = title, .icon = MessageIcon::Question, .button = answer});
    }
    ScriptedDialogs& expectSaveFile(const QString& filter, const FileChoice& file) { return expect({.kind = Kind::Save, .title = filter, .file = file}); }
    ScriptedDialogs& expectOpenFile(const QString& filter, const FileChoice& file) { return expect({.kind = Kind::Open, .title = filter, .file = file}); }

    // Every mismatch and every step left unplayed; empty when the script ran exactly.
    QStringList problems() const;
    // Whether the last question played was one the script closes with the close box.
    bool lastClosed() const { return m_lastClosed; }

    QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) override;
    void message(const QString& title, const QString& text, MessageIcon icon) override
    {
        play({.kind = Kind::Message, .text = text, .title = title, .icon = icon});
    }
    int yesNoBox(const QString& text, const QString& title) override
    {
        const Step* step = play({.kind = Kind::YesNo, .text = text, .title = title, .icon = MessageIcon::Question});
        return step ? step->button : 7;
    }
    FileChoice saveFile(const QString& filter) override { return answered(play({.kind = Kind::Save, .title = filter})); }
    FileChoice openFile(const QString& filter) override { return answered(play({.kind = Kind::Open, .title = filter})); }

private:
    enum class Kind { Question, Message, YesNo, Save, Open };
    // What a call shows (kind, text, title or default text or filter, mode, icon) and, for an
    // expected step, how it is answered.
    struct Step {
        Kind kind = Kind::Question;
        QString text{};
        QString title{};
        float mode = 0;
        MessageIcon icon = MessageIcon::Critical;
        QString answer{};
        bool close = false;
        bool back = false;
        int button = 7;
        FileChoice file{};
    };
    ScriptedDialogs& expect(const Step& step) { return m_steps.append(step), *this; }
    // The expected step the call plays, or nullptr when it is off the script.
    const Step* play(const Step& call);
    static FileChoice answered(const Step* step) { return step ? step->file : FileChoice{}; }
    static QString described(const Step& s);

    const Session& m_session;
    QList<Step> m_steps;
    qsizetype m_played = 0;
    int m_offScript = 0;
    bool m_lastClosed = false;
    bool m_lastBack = false;
    bool m_throwsBack = true;
    QStringList m_failures;
};
