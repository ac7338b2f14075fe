// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) as a Qt signal, so that
// the program can end as at the end of a session instead of dying where it stands.
//
// How the program uses it: make one object after the application object and connect
// terminationRequested to what a session end does (keep the recovery copies of changed
// documents, remove preview files, quit). The system signal only writes a byte into a
// pipe; the Qt signal comes from the event loop, where anything may be done.
#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Catches the three signals; one that was ignored when the program started (nohup)
    // stays ignored. Only one object catches them at a time: a second one catches nothing.
    explicit TerminationSignals(QObject *parent = nullptr);
    // Puts back what the signals did before.
    ~TerminationSignals() override;

    bool isInstalled() const { return m_notifier != nullptr; }
    static bool isCaught(int signalNumber);

signals:
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous[3] = {};
    bool m_caught[3] = {};
};
