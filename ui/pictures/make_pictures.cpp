// Build-time tool: writes the picture strips as PNG files into the
// folder given as its one argument.
#include <cstdio>

#include <QString>

#include "ui/pictures/draw_pictures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (auto picture : {mw::ButtonPicture::CreateWad, mw::ButtonPicture::UpdateWad,
                         mw::ButtonPicture::ExtractWad, mw::ButtonPicture::UpdateTracks,
                         mw::ButtonPicture::OpenFolder}) {
        const QString file = folder + '/' + QString::fromLatin1(mw::PictureFileName(picture));
        if (!mw::DrawPictureStrip(picture).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
