#pragma once

#include <QDialog>

// "О проге": the versions of the program and of its parts. Nothing to do but close it.
class form_About : public QDialog {
    Q_OBJECT
public:
    explicit form_About(const QString& dataFolder, QWidget* parent = nullptr);
    ~form_About() override;
};
