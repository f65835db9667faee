#pragma once

#include "collection/RenameLog.h"

#include <QDialog>

// The renames "Renombrar según DAT" is about to make, each as "old name → new name", shown before anything is
// renamed; the user goes on or cancels.
class RenamePreviewDialog : public QDialog
{
    Q_OBJECT
public:
    RenamePreviewDialog(const QList<RenameLog::Move> &renames, QWidget *parent);
};
