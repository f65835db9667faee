#include "ProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

ProgramRun::ProgramRun(const QString &root, bool display) : m_environment(QProcessEnvironment::systemEnvironment())
{
    for (const char *name : {"home", "runtime", "drive"})
        QDir().mkpath(root + u'/' + QLatin1String(name));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_environment.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    m_environment.insert(QStringLiteral("CARTLING_DRIVE_ROOT"), root + QStringLiteral("/drive"));
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "DISPLAY",
                             "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        m_environment.remove(QString::fromLatin1(name));
    if (display)
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
}

ProgramRun::Result ProgramRun::run(const QString &program, const QStringList &arguments,
                                   const QString &workingFolder) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    Result result;
    result.finished = process.waitForFinished(120000);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}

std::unique_ptr<QProcess> ProgramRun::start(const QString &program, const QStringList &arguments,
                                            const QString &workingFolder) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_environment);
    process->setWorkingDirectory(workingFolder);
    process->start(program, arguments);
    return process;
}

bool ProgramRun::startUntil(const QString &program, const QStringList &arguments, const QString &workingFolder,
                            const QString &marker, QByteArray *errors) const
{
    const std::unique_ptr<QProcess> started = start(program, arguments, workingFolder);
    QProcess &process = *started;
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    while (!seen && process.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
        process.waitForFinished(100);
        seen = QFileInfo::exists(marker);
    }
    process.kill();
    process.waitForFinished();
    if (errors)
        *errors = process.readAllStandardError();
    return seen;
}

QStringList treeOf(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(QDir(folder).relativeFilePath(it.next()));
    paths.sort();
    return paths;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
