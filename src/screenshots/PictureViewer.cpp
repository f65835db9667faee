#include "screenshots/PictureViewer.h"

#include "platform/ErrorHandler.h"
#include "platform/FileLookup.h"
#include "screenshots/PictureLookup.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>

PictureViewer::PictureViewer(QWidget *parent) : FormWindow("TForm14", QStringLiteral("Zibo Shoots"), parent)
{
    // A tool window without title-bar buttons: only the "Screen Shoots" switch shows and hides it.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(210, 186);
    move(511, 119);
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignCenter); // unscaled: a larger picture is clipped at the edges
    m_image->setGeometry(0, 0, 210, 186);
}

bool PictureViewer::loadPicture(const QString &path)
{
    const QImage picture = PictureLookup::load(path);
    if (picture.isNull())
        return false;
    showPicture(picture);
    return true;
}

void PictureViewer::showPicture(const QImage &picture)
{
    m_image->setPixmap(QPixmap::fromImage(picture));
}

void PictureViewer::showEvent(QShowEvent *event)
{
    FormWindow::showEvent(event);
    if (event->spontaneous())
        return; // the window system showing it again, not the switch
    const SettingsFile settings;
    move(settings.read(Keys::Left3, x()), settings.read(Keys::Top3, y()));
    const QString picture = FileLookup::find(BaseFolder::path(), QStringLiteral("ctg.jpg"));
    if (!picture.isEmpty())
        loadPicture(picture);
    emit shown();
}

void PictureViewer::hideEvent(QHideEvent *event)
{
    FormWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    try {
        SettingsFile settings;
        settings.write(Keys::Top3, y());
        settings.write(Keys::Left3, x());
    } catch (const CartlingError &error) {
        reportError(error);
    }
}

void PictureViewer::closeEvent(QCloseEvent *event)
{
    // The window system's close (Alt+F4) would leave the switch on with no viewer.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}

void PictureViewer::reject()
{
    // Escape does not hide the viewer either.
}
