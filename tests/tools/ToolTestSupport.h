#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Runs a program the way a front-end starts it: the arguments as they are, no shell, no display.
struct ToolRun
{
    int exitCode = -1;
    bool finished = false;
    QByteArray output;
    QByteArray errors;
};
ToolRun runTool(const QString &program, const QStringList &arguments, const QString &workingFolder,
                const QList<QPair<QString, QString>> &environment = {});

// Writes a ZIP archive with the members in this order.
void writeArchive(const QString &path, const QList<QPair<QString, QByteArray>> &members);
// The members of a ZIP archive, in order, with their bytes.
QList<QPair<QString, QByteArray>> readArchive(const QString &path);

QByteArray fileBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
