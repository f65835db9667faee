#pragma once

#include "TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <zip.h>

// The message of a packing that went well.
inline const QString archived = QStringLiteral("La Rom ha sido Comprimida Exitosamente");

// A member of an archive built byte by byte, so names and attributes can be as hostile as wanted.
struct Member
{
    QByteArray name;
    QByteArray data;
    zip_uint32_t unixMode = 0100644;
    zip_flags_t nameEncoding = ZIP_FL_ENC_UTF_8;
    bool stored = false;
    time_t modified = 0; // the time stored for the member; 0 for the time of packing
};

// A base folder with the Info-ZIP tools and hand-built archives at hand.
class ArchiveTest : public BaseFolderTest
{
protected:
    // Runs a program in the base folder, never through a shell; the exit code, or -1.
    int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr) const;
    // The member names Info-ZIP's unzip lists, sorted.
    QStringList listing(const QString &archive) const;
    void makeArchive(const QString &name, const QList<Member> &members) const;
    // Every entry of a folder given by its full path, hidden ones included, sorted.
    static QStringList entriesOf(const QString &folder);
    QStringList entries(const QString &name) const { return entriesOf(path(name)); }
    // Makes an archive's member claim 1,000 bytes whatever it inflates to (its first member only).
    void lieAboutSize(const QString &archive) const;
};
