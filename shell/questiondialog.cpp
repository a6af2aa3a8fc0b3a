#include "shell/questiondialog.h"

#include "advisor/advisor.h"
#include "model/dialogs.h"
#include "model/flags.h"
#include "model/windowgeometry.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* questionLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(twipsToPixels(1215));
    return b;
}

// Alt+Left as a button, shown where the wizard can go back: flat, and never the one Enter presses.
QPushButton* previousButton(const char* name, QAction* previous, QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("← Назад"), parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setToolTip(QStringLiteral("Вернуться к предыдущему ответу (Alt+←)"));
    QObject::connect(b, &QPushButton::clicked, previous, &QAction::trigger);
    return b;
}

// The questions are written with CR LF line breaks; a label wants plain "\n".
QString shownText(const QString& text)
{
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

QuestionDialog::QuestionDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("form_Dialog_Di"));
    setWindowTitle(QString());
    setModal(true);
    // Alt+Left leaves the question for the answer before it, where the wizard can go back.
    auto* previous = new QAction(this);
    previous->setObjectName(QStringLiteral("act_PreviousAnswer"));
    previous->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(previous, &QAction::triggered, this, [this] {
        if (!ReturnPoint::active())
            return;
        m_wantsPrevious = true;
        reject();
    });
    addAction(previous);
    setFixedWidth(twipsToPixels(6375));

    frm_Mode1 = new QFrame(this);
    frm_Mode1->setObjectName(QStringLiteral("frm_Mode1"));
    frm_Mode1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    lbl_Question1 = questionLabel("lbl_Question1", frm_Mode1);
    btn_Yes = button("btn_Yes", QStringLiteral("ДА"), frm_Mode1);
    btn_No = button("btn_No", QStringLiteral("НЕТ"), frm_Mode1);
    btn_Previous1 = previousButton("btn_Previous1", previous, frm_Mode1);
    auto* yesNo = new QGridLayout;
    // ДА and НЕТ stay in the middle, whether the way back is shown or not.
    yesNo->addWidget(btn_Previous1, 0, 0, Qt::AlignLeft);
    auto* middle = new QHBoxLayout;
    middle->addWidget(btn_Yes);
    middle->addWidget(btn_No);
    yesNo->addLayout(middle, 0, 0, Qt::AlignHCenter);
    auto* face1 = new QVBoxLayout(frm_Mode1);
    face1->addWidget(lbl_Question1, 1);
    face1->addLayout(yesNo);

    frm_Mode2 = new QFrame(this);
    frm_Mode2->setObjectName(QStringLiteral("frm_Mode2"));
    frm_Mode2->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    lbl_Question2 = questionLabel("lbl_Question2", frm_Mode2);
    txt_Answer = new QLineEdit(frm_Mode2);
    txt_Answer->setObjectName(QStringLiteral("txt_Answer"));
    btn_Ok = button("btn_Ok", QStringLiteral("Ок"), frm_Mode2);
    btn_Previous2 = previousButton("btn_Previous2", previous, frm_Mode2);
    auto* ok = new QHBoxLayout;
    ok->addWidget(btn_Previous2);
    ok->addStretch();
    ok->addWidget(btn_Ok);
    // The unit of the value asked, or what to type instead of a refused number: muted, under the box.
    lbl_Advice2 = questionLabel("lbl_Advice2", frm_Mode2);
    lbl_Advice2->setForegroundRole(QPalette::PlaceholderText);
    auto* face2 = new QVBoxLayout(frm_Mode2);
    face2->addWidget(lbl_Question2, 1);
    face2->addWidget(txt_Answer);
    face2->addWidget(lbl_Advice2);
    face2->addLayout(ok);

    // Both faces share one cell; the hidden one takes no room.
    auto* grid = new QGridLayout(this);
    grid->addWidget(frm_Mode1, 0, 0);
    grid->addWidget(frm_Mode2, 0, 0);
    frm_Mode1->hide();
    frm_Mode2->hide();

    connect(btn_Yes, &QPushButton::clicked, this, [this] { answerWith(kYesText); });
    connect(btn_No, &QPushButton::clicked, this, [this] { answerWith(kNoText); });
    connect(btn_Ok, &QPushButton::clicked, this, [this] { answerWith(txt_Answer->text()); });
    connect(txt_Answer, &QLineEdit::textChanged, this, [this](const QString& text) {
        lbl_Advice2->setText(adviseQuestion(m_question, text));
    });
}

QuestionDialog::~QuestionDialog() = default;

bool QuestionDialog::prepare(const QString& question, float mode, const QString& defaultText, QPoint at)
{
    m_result.reset();
    m_wantsPrevious = false;
    setToolTip(ReturnPoint::active() ? QStringLiteral("Alt+← — вернуться к предыдущему ответу") : QString());
    btn_Previous1->setVisible(ReturnPoint::active());
    btn_Previous2->setVisible(ReturnPoint::active());
    if (mode == kTextMode) {
        frm_Mode1->hide();
        frm_Mode2->show();
        btn_Yes->setDefault(false);
        btn_Ok->setDefault(true);
        lbl_Question2->setText(shownText(question));
        m_question = question;
        txt_Answer->setText(defaultText);
        lbl_Advice2->setText(adviseQuestion(question, defaultText));
        // A question with nothing to advise keeps the dialog as small as it always was.
        lbl_Advice2->setVisible(!lbl_Advice2->text().isEmpty());
        txt_Answer->selectAll(); // typing replaces the default
        txt_Answer->setFocus();
    } else if (mode == kYesNoMode) {
        frm_Mode2->hide();
        frm_Mode1->show();
        btn_Ok->setDefault(false);
        btn_Yes->setDefault(true);
        lbl_Question1->setText(shownText(question));
        btn_Yes->setFocus();
    } else {
        return false;
    }
    adjustSize();

    // At the point asked for, but never off the screen, or the question could not be answered.
    QPoint pos = at;
    if (const QScreen* screen = QGuiApplication::screenAt(at) ? QGuiApplication::screenAt(at)
                                                               : QGuiApplication::primaryScreen())
        pos = keepOnScreen(at, size(), screen->availableGeometry());
    move(pos);
    return true;
}

void QuestionDialog::answerWith(const QString& text)
{
    m_result = text;
    accept();
}
