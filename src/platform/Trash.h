#pragma once

#include <QString>

// The desktop's trash, from where the user can bring a deleted file back.
class Trash
{
public:
    virtual ~Trash() = default;
    // True when the file is now in the trash.
    virtual bool moveToTrash(const QString &path) = 0;
};

// The one in use: the desktop's unless another is installed.
Trash &trash();
// The desktop's trash (the freedesktop.org one on Linux), whatever is installed.
Trash &desktopTrash();
// Installs a trash for the whole program (tests keep deleted files in their own folder); nullptr restores the
// desktop's.
void setTrash(Trash *trash);
