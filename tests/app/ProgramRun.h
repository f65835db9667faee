#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

// Cartling as a user starts it: a real process whose home, data, runtime and drive-root folders all lie in
// one temporary folder, so it touches nothing of the machine's.
class ProgramRun
{
public:
    // `root` holds home/, runtime/ and drive/; with `display` the program gets the off-screen display, without
    // it no display at all, so a run that needs one fails.
    ProgramRun(const QString &root, bool display);

    QProcessEnvironment &environment() { return m_environment; }

    struct Result
    {
        int exitCode = -1;
        bool finished = false;
        QByteArray output;
        QByteArray errors;
    };
    // Runs the program to its end.
    Result run(const QString &program, const QStringList &arguments, const QString &workingFolder) const;
    // Starts the program and leaves it running (it ends with the returned object).
    std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments,
                                    const QString &workingFolder) const;
    // Starts the program, waits until `marker` exists (the main window has been made), then ends it. False
    // when the marker did not come; `errors` then holds what the program said.
    bool startUntil(const QString &program, const QStringList &arguments, const QString &workingFolder,
                    const QString &marker, QByteArray *errors = nullptr) const;

private:
    QProcessEnvironment m_environment;
};

// Every entry below the folder, sorted, to show what a run left behind.
QStringList treeOf(const QString &folder);
QByteArray bytesOf(const QString &path);
