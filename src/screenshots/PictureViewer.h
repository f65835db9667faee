#pragma once

#include "platform/FormWindow.h"

class QImage;
class QLabel;

// The screenshot viewer: the selected game's picture, unscaled and centred, beside the main window. Only the
// "Screen Shoots" switch shows and hides it; its place is stored when it is hidden and taken back when shown.
class PictureViewer : public FormWindow
{
    Q_OBJECT
public:
    explicit PictureViewer(QWidget *parent = nullptr);

    // Shows the picture in the file, a JPEG or a bitmap by its extension; a file that is missing or cannot
    // be decoded leaves the picture as it was.
    bool loadPicture(const QString &path);
    void showPicture(const QImage &picture);
    QLabel *image() const { return m_image; }

signals:
    // The viewer was shown, placed and given the default picture: the selected game's picture follows.
    void shown();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QLabel *m_image;
};
