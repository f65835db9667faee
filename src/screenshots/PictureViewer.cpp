#include "screenshots/PictureViewer.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

PictureViewer::PictureViewer(QWidget *parent) : FormWindow("TForm14", QStringLiteral("Zibo Shoots"), parent)
{
    // A tool window without title-bar buttons: only the "Screen Shoots" switch shows and hides it.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(210, 186);
    move(511, 119);
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setGeometry(0, 0, 210, 186);
}

bool PictureViewer::loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    m_image->setPixmap(QPixmap::fromImage(picture));
    return true;
}
