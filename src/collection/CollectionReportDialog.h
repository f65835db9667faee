#pragma once

#include "collection/CollectionReport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QStringListModel;
class QTabWidget;

// "Informe de la colección": the report of one DAT at a time (chosen in a list when several are loaded), with
// the games it lacks in a list that can be searched, copied and saved or written as a fixdat, and the copies of
// one dump and the unknown files of the whole folder.
class CollectionReportDialog : public QDialog
{
    Q_OBJECT
public:
    CollectionReportDialog(CollectionReport report, QWidget *parent);

    // The missing games the list shows now (after the search), one a line.
    QStringList shownMissing() const;
    // "Guardar lista…" and "Guardar fixdat…" once a file is chosen. Raise CartlingError when the file cannot be
    // written; it is then left as it was.
    void saveMissingList(const QString &path) const;
    void saveFixDat(const QString &path) const;

private:
    void showDat(int index);
    void copyMissing() const;
    void askAndSave(bool fixDat);

    CollectionReport m_report;
    const CollectionReport::DatPart *m_part = nullptr;
    QComboBox *m_dats;
    QLabel *m_counts;
    QTabWidget *m_tabs;
    QLineEdit *m_search;
    QListView *m_missing;
    QStringListModel *m_names;
    QSortFilterProxyModel *m_filter;
};
