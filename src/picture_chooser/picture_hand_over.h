#pragma once

#include <QString>

// The texts that carry a chosen picture from the chooser to the main window; they outlive both.
struct PictureHandOver
{
    QString CurrentPicturePath; // the picture path of the entry being edited
    QString PictureFolder;      // folder of the file last clicked in the chooser
    QString PictureFileName;    // name of the file last previewed successfully

    void clear()
    {
        CurrentPicturePath.clear();
        PictureFolder.clear();
        PictureFileName.clear();
    }
};
