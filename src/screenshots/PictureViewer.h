#pragma once

#include "platform/FormWindow.h"

class QLabel;

// The screenshot viewer: the selected game's picture, unscaled and centred, beside the main window.
class PictureViewer : public FormWindow
{
    Q_OBJECT
public:
    explicit PictureViewer(QWidget *parent = nullptr);

    // Shows the picture in the file; a file that cannot be decoded leaves the picture as it was.
    bool loadPicture(const QString &path);
    QLabel *image() const { return m_image; }

private:
    QLabel *m_image;
};
