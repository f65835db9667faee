#pragma once

#include "emulator/OtherOptions.h"
#include "platform/FormWindow.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

// The other-options dialog: every control stands for one value of OtherOptions, which the dialog shows and
// changes. "Aceptar", Escape and the close box close it.
class OtherOptionsDialog : public FormWindow
{
    Q_OBJECT
public:
    // Opens the picture picker; the confirmed file, or empty.
    using PictureChooser = std::function<QString(QWidget *parent, const QString &start)>;

    // Shows the program's options, which ran their creation steps at start-up.
    explicit OtherOptionsDialog(OtherOptions &options, QWidget *parent = nullptr);

    const OtherOptions &options() const { return m_options; }
    // Tests put their own picker in place.
    void setPictureChooser(PictureChooser chooser) { m_choosePicture = std::move(chooser); }

private:
    void build();
    void createLayout();
    void connectControls();
    void loadFromRules();
    // Runs one rules call for a control, then shows the values again.
    void handle(std::function<void()> change);
    void browsePicture();

    OtherOptions &m_options;
    PictureChooser m_choosePicture;
    QCheckBox *m_delay = nullptr;
    QCheckBox *m_sync = nullptr;
    QCheckBox *m_crc = nullptr;
    QComboBox *m_level = nullptr;
    QCheckBox *m_deleteRom = nullptr;
    QCheckBox *m_leaveOutFolders = nullptr;
    QCheckBox *m_askName = nullptr;
    QRadioButton *m_models[4] = {};
    QCheckBox *m_useBackground = nullptr;
    QLineEdit *m_picture = nullptr;
    QToolButton *m_browsePicture = nullptr;
    QCheckBox *m_replaceTitles = nullptr;
};
