#pragma once

#include "platform/Messages.h"
#include "platform/ProcessStarter.h"
#include "platform/Trash.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

// Failures print texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Records every message instead of showing a box; confirm() answers with `answer`.
class RecordingMessages : public MessageSink
{
public:
    void show(const QString &text) override { shown.append(text); }
    void error(const QString &text) override { errors.append(text); }
    bool confirm(const QString &text) override
    {
        asked.append(text);
        return answer;
    }
    bool confirmWithOption(const QString &text, const QString &option, bool *ticked) override
    {
        asked.append(text + u'\n' + option);
        *ticked = tick;
        return answer;
    }

    QStringList shown;
    QStringList errors;
    QStringList asked;
    bool answer = true;
    bool tick = false; // the box of a question with one
};

// Records every program start instead of starting it.
class RecordingStarter : public ProcessStarter
{
public:
    struct Start
    {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        starts.append({program, arguments, workingFolder});
        return true;
    }
    QList<Start> starts;
};

// Keeps the files sent to the trash in the test's own folder; `works` false refuses them as a full trash would.
class RecordingTrash : public Trash
{
public:
    bool moveToTrash(const QString &path) override;

    QString folder;
    QStringList moved; // the paths, in order
    bool works = true;
    QStringList refused; // paths it will not take, while it takes others
};

// Sets an environment variable while it lives (a null value unsets it), then puts back what was there before.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        set(value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    void set(const QByteArray &value) const
    {
        if (value.isNull())
            qunsetenv(m_name);
        else
            qputenv(m_name, value);
    }

    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

// A fresh base folder per test: a temporary folder made the current folder and captured as the base
// folder, with its own drive root, and messages, program starts and the trash recorded.
class BaseFolderTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // base folder + "/" + name
    QString path(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    void makeFolder(const QString &name) const;

    QTemporaryDir m_temp;
    QString m_base;
    QString m_previousFolder;
    RecordingMessages m_messages;
    RecordingStarter m_starter;
    RecordingTrash m_trash;
    QList<int> m_runEnds; // the exit statuses of runs ended by an error the program cannot work past
};

// While it lives, a file of this process cannot grow beyond `bytes`: writes past that fail as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    quint64 m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// Gives the file or folder itself (never a link's target) to another user, as someone else's planted file would
// be. Only root can: false elsewhere, and the caller skips that case.
bool giveToAnotherUser(const QString &path);

// The names in a folder, hidden ones too: what a write left behind.
QStringList folderEntries(const QString &folder);

// Writes a file whose name is these bytes (a Latin-1 "Pok\xe9mon.gb" copied from Windows) into the folder, and
// returns its name as a listing of the folder reads it.
QString writeRawNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes);

// Writes a ROM image of `size` bytes whose 16 title bytes at 0x134 are `title` padded with zero bytes.
QByteArray romImage(const QByteArray &title, int size = 32 * 1024);
