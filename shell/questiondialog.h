#pragma once

#include <QDialog>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The one question dialog: a yes/no face and a text face in the same place, one shown at a time.
// It is made for one question and keeps nothing between questions.
class QuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit QuestionDialog(QWidget* parent = nullptr);
    ~QuestionDialog() override;

    // Shows the face of the mode (1 yes/no, 2 text) with the question, the default text selected in
    // the answer box, at the given point of the screen. False for a mode that has no face.
    bool prepare(const QString& question, float mode, const QString& defaultText, QPoint at);

    // "6", "7" or the typed text after a button; nothing when the dialog was closed without one.
    const std::optional<QString>& result() const { return m_result; }
    // Left with Alt+Left or "← Назад" for the answer before this question (only where the wizard
    // can go back).
    bool wantsPreviousAnswer() const { return m_wantsPrevious; }

private:
    void answerWith(const QString& text);

    QFrame* frm_Mode1;
    QLabel* lbl_Question1;
    QPushButton* btn_Yes;
    QPushButton* btn_No;
    QPushButton* btn_Previous1; // the way back, on each face
    QPushButton* btn_Previous2;
    QFrame* frm_Mode2;
    QLabel* lbl_Question2;
    QLineEdit* txt_Answer;
    QLabel* lbl_Advice2;
    QPushButton* btn_Ok;
    std::optional<QString> m_result;
    bool m_wantsPrevious = false;
    QString m_question;
};
