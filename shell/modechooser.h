#pragma once

#include <QDialog>
#include <QLabel>

// A picture that works as a button: a click, or Enter or Space while it has the focus.
class ChooserImage : public QLabel {
    Q_OBJECT
public:
    explicit ChooserImage(QWidget* parent = nullptr);

signals:
    void chosen();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The mode chooser. Its picture starts work on an analysis-program file; Escape leaves it.
// Accepted only through the picture.
class ModeChooser : public QDialog {
    Q_OBJECT
public:
    // The icon is read from the data folder each time the chooser is made; without it the
    // picture stays empty and the chooser works all the same.
    explicit ModeChooser(const QString& dataFolder, QWidget* parent = nullptr);
    ~ModeChooser() override;

    static QString iconPath(const QString& dataFolder);
    // The chooser and the about box: a fixed modal dialog with a title and no other buttons, and
    // the program's icon as a square picture (left empty without a usable icon).
    static constexpr Qt::WindowFlags kDialogFlags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    static void setUp(QDialog* dialog, const char* name, const QString& title);
    static void showIcon(QLabel* picture, const char* name, const QString& dataFolder);

private:
    QLabel* Label2;
    ChooserImage* img_KvertaMode;
};
