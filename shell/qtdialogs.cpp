#include "shell/qtdialogs.h"

#include "model/dialogs.h"
#include "model/flags.h"
#include "shell/filenames.h"
#include "shell/questiondialog.h"
#include "model/session.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

QString shownText(const QString& text)
{
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// "kv" for "Файлы KVERTA (*.kv)| *.kv": the extension of the filter's first pattern.
QString defaultSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

QtDialogs::QtDialogs(const Session& session)
    : m_session(session)
{
}

QWidget* QtDialogs::owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString QtDialogs::askQuestion(const QString& question, float mode, const QString& defaultText, QPoint at)
{
    if (mode != kYesNoMode && mode != kTextMode)
        return QString();
    // On the heap and watched: the window it sits over may be closed while it waits.
    QPointer<QuestionDialog> dialog = new QuestionDialog(owner());
    dialog->prepare(question, mode, defaultText, at);
    dialog->exec();
    if (!dialog)
        return m_session.Answer;
    // Closed without a button: the answer stays what it was.
    const QString result = dialog->result().value_or(m_session.Answer);
    const bool previous = dialog->wantsPreviousAnswer();
    delete dialog;
    if (previous)
        throw ReturnToPreviousAnswer{};
    return result;
}

void QtDialogs::message(const QString& title, const QString& text, MessageIcon icon)
{
    QPointer<QMessageBox> box = new QMessageBox(boxIcon(icon), title, shownText(text), QMessageBox::Ok, owner());
    box->setTextFormat(Qt::PlainText);
    box->exec();
    delete box;
}

int QtDialogs::yesNoBox(const QString& text, const QString& title)
{
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, title, shownText(text),
                                                QMessageBox::Yes | QMessageBox::No, owner());
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    const int button = box->exec();
    delete box;
    return button == QMessageBox::Yes ? 6 : 7;
}

FileChoice QtDialogs::saveFile(const QString& filter)
{
    // A title typed without an extension gets the filter's own (".kv"), and so does the file title.
    QPointer<QFileDialog> dialog = new QFileDialog(owner(), QString(), m_lastFolder, qtFileFilter(filter));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(defaultSuffix(filter));
    const bool chosen = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    const QString name = chosen ? dialog->selectedFiles().constFirst() : QString();
    delete dialog;
    if (!name.isEmpty())
        m_lastFolder = QFileInfo(name).path();
    return fileChoiceFor(name);
}

FileChoice QtDialogs::openFile(const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(owner(), QString(), m_lastFolder, qtFileFilter(filter));
    if (!name.isEmpty())
        m_lastFolder = QFileInfo(name).path();
    return fileChoiceFor(name);
}
