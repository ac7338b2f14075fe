// The start-up screen: the program's name, version and platform, closed by its own timer
// and by nothing else: it does not react to the keyboard or the mouse.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class frmStartup : public QDialog
{
    Q_OBJECT

public:
    explicit frmStartup(QWidget *parent = nullptr);

    // Starts the timer that closes the screen after `milliseconds`.
    void startTimer(int milliseconds);

    static QString platformText();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void tmrUnload_Timer();

    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblPlatform = nullptr;
    QTimer *tmrUnload = nullptr;
    bool m_timeUp = false;
};
