#pragma once

#include "emulator/OptionStore.h"
#include "screenshots/ScreenshotOptions.h"

#include <QString>
#include <array>

class ConfigTemplate;

// The rules of the directories dialog: the emulator's "Rts" and save folders (slots 50 and 51) and the
// screenshot options.
class DirectoriesOptions
{
public:
    enum Folder
    {
        Rts = 0,  // "Rts Dir", key Rts, "-rtsdir "
        Save = 1, // "Save Dir", key Save, "-savdir "
    };

    // Runs the creation steps. A stored folder that no longer exists switches its option off, and that is
    // stored; it is the one thing start-up may write.
    explicit DirectoriesOptions(ConfigTemplate &configTemplate);

    // The folder box ticked or cleared: stored, and the slot given the picker's text plus one separator, or
    // emptied. Nothing happens when the box already is so.
    void setFolderOption(Folder folder, bool on);
    // Text typed into a picker: shown, never stored; the slot takes it when the box is next clicked.
    void setFolderText(Folder folder, const QString &text);
    // A folder chosen in the browse window: shown, and stored when it exists. The slot keeps its text until the
    // box is clicked or the program starts again. A folder that Zibo.cfg cannot carry (a line break, a
    // character outside Windows-1252) is refused with a message (false) and nothing changes; such a folder
    // stored or typed earlier is left out of Zibo.cfg.
    bool pickFolder(Folder folder, const QString &path);
    // Showing the dialog: the pickers show the stored folders again.
    void reloadFolders();

    void setJpeg(bool on);          // clearing it also clears "delete bitmaps"
    void setDeleteBitmaps(bool on); // the box is enabled only while JPEG is on
    void setQuality(int quality);   // held to 1 to 100

    bool folderOption(Folder folder) const { return m_folders[folder].on; }
    const QString &folderText(Folder folder) const { return m_folders[folder].text; }
    bool deleteBitmapsEnabled() const { return m_deleteBitmapsEnabled; }
    // The live screenshot options that filing a screenshot reads.
    const ScreenshotOptions &screenshotOptions() const { return m_shots; }

    // The browse window's caption for each picker.
    static QString browseCaption(Folder folder);

private:
    struct FolderState
    {
        bool on = false;
        QString text;
    };

    void writeFolderSlot(Folder folder);

    ConfigTemplate &m_template;
    OptionStore m_store;
    std::array<FolderState, 2> m_folders;
    ScreenshotOptions m_shots;
    bool m_deleteBitmapsEnabled = true;
};
