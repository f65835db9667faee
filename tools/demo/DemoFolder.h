#pragma once

#include <QString>
#include <QStringList>

// Fills a demo base folder with what a newcomer needs to try Cartling. Only what is missing is added:
// an existing file is never written, whatever it holds, so the user's changes survive every run.
class DemoFolder
{
public:
    // `binFolder` holds the stand-in emulator; every file of `dataFolder` (language and read-me files)
    // is copied into the demo folder.
    DemoFolder(const QString &demoFolder, const QString &binFolder, const QString &dataFolder);

    // Adds what is missing. Raises CartlingError when something cannot be made.
    void prepare();

    // What the last prepare() added, one entry per file, folder or setting.
    const QStringList &added() const { return m_added; }

private:
    void makeFolder(const QString &path);
    void addRoms();
    void addArchives();
    void addDataFiles();
    void addSettings();

    QString m_demo;
    QString m_bin;
    QString m_data;
    QStringList m_added;
};
