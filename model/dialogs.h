#pragma once

#include <QPoint>
#include <QString>

enum class MessageIcon { Critical, Information, Question, Warning };

// What a file dialog returns: the full file name and the file title (name without folder).
// Both are empty when the dialog was cancelled.
struct FileChoice {
    QString fileName;
    QString fileTitle;
    bool cancelled() const { return fileName.isEmpty(); }
};

// Everything that waits for the person at the keyboard in the middle of a routine. The shell
// implements it with real windows; tests implement it with a scripted double.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The question dialog: mode 1 = yes/no ("6"/"7"), mode 2 = text; closing it returns the
    // previous Answer; any other mode returns empty text without asking.
    virtual QString askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at) = 0;
    virtual void message(const QString& title, const QString& text, MessageIcon icon) = 0; // one OK button
    virtual int yesNoBox(const QString& text, const QString& title) = 0;                    // 6 or 7
    virtual FileChoice saveFile(const QString& filter) = 0;
    virtual FileChoice openFile(const QString& filter) = 0;
};

// A student at a question may ask to go back to the answer before it, out of a question the wizard
// keeps open until it is answered (those of stage 2). The real dialogs throw this from a question,
// and only while a ReturnPoint stands where it is caught (the wizard window's commands).
struct ReturnToPreviousAnswer {};

class ReturnPoint {
public:
    ReturnPoint() { ++depth(); }
    ~ReturnPoint() { --depth(); }
    ReturnPoint(const ReturnPoint&) = delete;
    ReturnPoint& operator=(const ReturnPoint&) = delete;
    static bool active() { return depth() > 0; }

private:
    static int& depth()
    {
        static int d = 0;
        return d;
    }
};
