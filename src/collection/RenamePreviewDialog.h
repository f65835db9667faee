#pragma once

#include "collection/RenameLog.h"

#include <QDialog>

// The renames "Renombrar según DAT" is about to make, each as "old name → new name", shown before anything is
// renamed; the user goes on or cancels.
class RenamePreviewDialog : public QDialog
{
    Q_OBJECT
public:
    // `members`: the members of archives renamed with them, shown on their archive's line.
    RenamePreviewDialog(const QList<RenameLog::Move> &renames, QWidget *parent,
                        const QList<RenameLog::MemberMove> &members = {});
};
