#include "archive/ExtractionFolder.h"

#include "platform/ErrorHandler.h"
#include "platform/Places.h"

#include <QDir>

ExtractionFolder::ExtractionFolder() : m_folder(Places::extractionFolder())
{
    if (!Places::ensureExtractionFolder()) {
        throw CartlingError(
            QStringLiteral("Unable to use the temporary folder %1").arg(QDir::toNativeSeparators(m_folder)));
    }
    // Whatever an interrupted operation left behind is no part of this one.
    empty();
}

ExtractionFolder::~ExtractionFolder()
{
    empty();
}

bool ExtractionFolder::extract(const QString &archive, const Progress &progress)
{
    return extractTo(archive, m_folder, {}, progress);
}

QStringList ExtractionFolder::roms() const
{
    // Without QDir::CaseSensitive the name filters match in any letter case.
    return QDir(m_folder).entryList({QStringLiteral("*.gb"), QStringLiteral("*.gbc")}, QDir::Files | QDir::NoSymLinks,
                                    QDir::Name | QDir::IgnoreCase);
}

QString ExtractionFolder::file(const QString &name) const
{
    return m_folder + u'/' + name;
}

void ExtractionFolder::empty()
{
    Places::emptyFolder(m_folder);
}
