#pragma once

// The language entries of what a rename leaves behind.
namespace RenameText {
enum : int
{
    CompanionStays = 330, // %1 the file, %2 the name it would take
    NameRefused = 331,    // %1 the file, %2 the DAT's name for it
    KeptNewName = 332,    // %1 the file under its new name, %2 its old name
};
} // namespace RenameText
