#include "mainwindow/FirstGameGuide.h"

#include "app/Session.h"
#include "language/Language.h"
#include "language/MessageTable.h"
#include "mainwindow/FirstStartText.h"
#include "mainwindow/LaunchActions.h"
#include "mainwindow/MainMenus.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The guide's room inside the list's frame.
constexpr int Margin = 8;

} // namespace

FirstGameGuide::FirstGameGuide(QWidget &listArea, QPushButton &startButton, Session &session, MainMenus &menus)
    : QObject(&listArea), m_area(listArea), m_start(startButton), m_session(session), m_menus(menus)
{
    m_playTip = startButton.toolTip();
    // Every read of the folder, at start-up too, ends in a reset; the guide is made only when it is needed.
    connect(&session.romList(), &QAbstractItemModel::modelReset, this, [this] { update(); });
    session.language().whenApplied([guide = QPointer<FirstGameGuide>(this)] {
        if (guide)
            guide->update();
    });
    listArea.installEventFilter(this);
}

void FirstGameGuide::update()
{
    const int games = m_session.romList().count();
    const bool empty = games == 0;
    if (empty && !m_guide)
        makeGuide();
    if (m_guide) {
        const bool chosen = !SettingsFile().read(Keys::Roms).isEmpty();
        m_line->setText(messageTable().text(chosen ? FirstStartText::GuideNoGames : FirstStartText::GuideNoFolder));
        m_button->setText(messageTable().text(FirstStartText::GuideButton));
        m_guide->setVisible(empty);
        if (empty) {
            placeGuide();
            m_guide->raise(); // over a view of the list made later, the picture grid
        }
    }
    setStartButton(!empty && !LaunchActions::emulatorSet());
}

void FirstGameGuide::makeGuide()
{
    m_guide = named(new QWidget(&m_area), "FirstGameGuide");
    m_line = named(new QLabel(m_guide), "GuideLine");
    m_line->setTextFormat(Qt::PlainText); // the text comes from the language file
    m_line->setWordWrap(true);
    m_line->setAlignment(Qt::AlignCenter);
    m_button = named(new QPushButton(m_guide), "GuideButton");
    auto *layout = new QVBoxLayout(m_guide);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_line);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    // "Buscar Roms", as the menu gives it.
    connect(m_button, &QPushButton::clicked, this, guarded([this] { m_menus.item("BuscarRoms1")->trigger(); }));
}

void FirstGameGuide::placeGuide()
{
    // Only as tall as it needs, in the middle of the list: clicks elsewhere reach the list as before.
    const int width = qMax(0, m_area.width() - 2 * Margin);
    const int wanted = m_guide->heightForWidth(width);
    const int height = qMin(wanted > 0 ? wanted : m_guide->sizeHint().height(), m_area.height());
    m_guide->setGeometry(Margin, (m_area.height() - height) / 2, width, height);
}

void FirstGameGuide::setStartButton(bool offersEmulators)
{
    // Set again while it offers: a language file loaded since may have changed the item's text.
    if (!offersEmulators && !m_offers)
        return;
    m_offers = offersEmulators;
    const QString text = offersEmulators ? m_menus.item("EmuladoresInstalados1")->text().remove(u'&') : QString();
    const QString tip = offersEmulators ? text : m_playTip;
    m_start.setText(text);
    m_start.setToolTip(tip);
    m_start.setAccessibleName(tip);
}

bool FirstGameGuide::eventFilter(QObject *watched, QEvent *event)
{
    // The window may not be shown yet; a guide not hidden follows the list's size all the same.
    if (event->type() == QEvent::Resize && m_guide && !m_guide->isHidden())
        placeGuide();
    return QObject::eventFilter(watched, event);
}
