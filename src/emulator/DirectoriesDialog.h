#pragma once

#include "emulator/DirectoriesOptions.h"
#include "platform/FormWindow.h"

#include <functional>

class FolderPicker;
class QCheckBox;
class QSpinBox;

// The directories dialog: the emulator's "Rts" and save folders and the screenshot options, shown from
// DirectoriesOptions. "Aceptar", Escape and the close box close it.
class DirectoriesDialog : public FormWindow
{
    Q_OBJECT
public:
    // Shows the program's options, which ran their creation steps at start-up.
    explicit DirectoriesDialog(DirectoriesOptions &options, QWidget *parent = nullptr);

    const DirectoriesOptions &options() const { return m_options; }
    FolderPicker *picker(DirectoriesOptions::Folder folder) const { return m_pickers[folder]; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void loadFromRules();
    // Runs one rules call for a control, then shows the values again.
    void handle(std::function<void()> change);

    DirectoriesOptions &m_options;
    QCheckBox *m_folderBoxes[2] = {};
    FolderPicker *m_pickers[2] = {};
    QCheckBox *m_jpeg = nullptr;
    QCheckBox *m_deleteBitmaps = nullptr;
    QSpinBox *m_quality = nullptr;
};
