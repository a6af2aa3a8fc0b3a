#pragma once

#include <QDialog>

// "О проге": the versions of the program and of its parts. Nothing to do but close it.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(const QString& dataFolder, QWidget* parent = nullptr);
    ~AboutBox() override;
};
