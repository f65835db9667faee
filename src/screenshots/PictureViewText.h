#pragma once

// The language entries of the picture view.
namespace PictureViewText {
enum : int
{
    ViewItem = 260, // the check item of the "Ver" menu, and the grid's accessible name
};
} // namespace PictureViewText
