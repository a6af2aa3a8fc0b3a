#include "files/ui/compilerwindow.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCloseCaption = QStringLiteral("З А К Р Ы Т Ь");
}

CompilerWindow::CompilerWindow(QWidget* parent)
    : QDialog(parent)
    , pb_Overall(new QProgressBar(this))
    , lst_Output(new QListWidget(this))
    , btn_Close(new QPushButton(kCloseCaption, this))
{
    setObjectName(QStringLiteral("form_KvertaFileShow"));
    setWindowTitle(QString(12, QLatin1Char(' ')) + QStringLiteral("KVERTA file compillator [v 0.1.0f]"));
    pb_Overall->setObjectName(QStringLiteral("pb_Overall"));
    pb_Overall->setRange(0, 100);
    pb_Overall->setValue(0);
    lst_Output->setObjectName(QStringLiteral("lst_Output"));
    btn_Close->setObjectName(QStringLiteral("btn_Close"));
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pb_Overall);
    layout->addWidget(lst_Output, 1);
    layout->addWidget(btn_Close);
    resize(420, 480);
}

CompilerWindow* CompilerWindow::under(QWidget* mainWindow)
{
    if (auto* kept = mainWindow->findChild<CompilerWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return kept;
    return new CompilerWindow(mainWindow);
}

void CompilerWindow::start()
{
    lst_Output->clear();
    pb_Overall->setValue(0);
    btn_Close->setText(kCloseCaption);
    show();
    raise();
}

void CompilerWindow::addLine(const QString& line)
{
    lst_Output->addItem(line);
}

void CompilerWindow::setProgress(int percent)
{
    pb_Overall->setValue(percent);
    pb_Overall->repaint();
}

void CompilerWindow::markFailed()
{
    btn_Close->setText(QStringLiteral("ОШИБКА!"));
}
