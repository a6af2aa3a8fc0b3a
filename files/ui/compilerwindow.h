#pragma once

#include "files/writefile.h"

#include <QDialog>

class QListWidget;
class QProgressBar;
class QPushButton;

// The compiler window: shows every line of the analysis-program file as it is produced and the
// progress. It stays open after the files are written until the student closes it.
class CompilerWindow : public QDialog, public CompilerView {
    Q_OBJECT
public:
    explicit CompilerWindow(QWidget* parent = nullptr);

    // The one compiler window kept under the main window, made there on first use: it outlives
    // the wizard and free-edit windows that write through it, and no second copy piles up.
    static CompilerWindow* under(QWidget* mainWindow);

    void start() override;
    void addLine(const QString& line) override;
    void setProgress(int percent) override;
    void markFailed() override;

private:
    QProgressBar* pb_Overall;
    QListWidget* lst_Output;
    QPushButton* btn_Close;
};
