#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

// A folder field with a browse button that offers folders only. Typing changes the text alone; a folder
// chosen in the browse window is reported by folderChosen.
class FolderPicker : public QWidget
{
    Q_OBJECT
public:
    // Opens the browse window: its parent, its caption, the folder it starts in; the chosen folder, or empty.
    using Chooser = std::function<QString(QWidget *parent, const QString &caption, const QString &start)>;

    explicit FolderPicker(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text); // reports nothing
    void setBrowseCaption(const QString &caption) { m_caption = caption; }
    // Tests put their own browse window in place.
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    QLineEdit *edit() const { return m_edit; }
    QToolButton *browseButton() const { return m_browse; }

signals:
    void textEdited(const QString &text);
    void folderChosen(const QString &folder);

private:
    void browse();

    QLineEdit *m_edit;
    QToolButton *m_browse;
    QString m_caption;
    Chooser m_chooser;
};
