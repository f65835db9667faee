#pragma once

#include "archive/ZipLibrary.h"

#include <QString>
#include <QStringList>

// One use of the private temporary extraction folder: made ready when created, emptied when done with, so
// an archive's members live only for one operation.
class ExtractionFolder
{
public:
    // Creates the folder when missing. Raises CartlingError naming it when it cannot be used (it cannot be
    // made, or it is a link or another user's).
    ExtractionFolder();
    // Empties the folder, whatever happened in between.
    ~ExtractionFolder();
    ExtractionFolder(const ExtractionFolder &) = delete;
    ExtractionFolder &operator=(const ExtractionFolder &) = delete;

    // Extracts the archive into the folder; false when `progress` cancelled.
    bool extract(const QString &archive, const Progress &progress = {});
    // The ROMs in the folder, in name order: files ending in ".gb" or ".gbc" in any letter case. Hidden
    // files (and so the extraction's own part files) are not listed.
    QStringList roms() const;
    // The folder + "/" + name.
    QString file(const QString &name) const;
    // Removes everything in the folder; links are removed, never followed.
    void empty();

private:
    QString m_folder;
};
