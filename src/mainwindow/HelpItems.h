#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>

class QWidget;
struct Windows;

// The "Ayuda" menu's three items: the read-me file of the chosen language in a read-only viewer, the About
// box and the home-page window.
class HelpItems : public QObject
{
    Q_OBJECT
public:
    HelpItems(QWidget &owner, Windows &windows);
    ~HelpItems() override;

    // "Léeme": leeme.txt (or léeme.txt) with the Spanish language, readme.txt with any other; a message
    // when there is none.
    void showReadme();
    // "Acerca de..": the program's line and the makers' mark.
    void showAbout();
    // "Home Page": the home-page window, modal.
    void showHomePage();

    // The read-me viewer once it has been opened.
    QDialog *readmeViewer() const { return m_readmeViewer; }

private:
    QWidget &m_owner;
    Windows &m_windows;
    QPointer<QDialog> m_readmeViewer;
};
