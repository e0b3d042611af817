#include "editor/windowpictures.h"

#include "ui_frmmap.h"

#include <QImageReader>

namespace tavlo {

namespace {

// The PNG reader alone: a reader left to guess would first ask every image plugin
// whether it reads PNG, loading them all before the window shows.
QImage ownPicture(const QString& resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

const WindowPictures& windowPictures()
{
    static const WindowPictures pictures{
        ownPicture(QStringLiteral(":/images/splash.png")).convertToFormat(QImage::Format_RGB32),
        ownPicture(QStringLiteral(":/images/tavlo.png")),
        ownPicture(QStringLiteral(":/images/cmdsquare.png")),
        ownPicture(QStringLiteral(":/images/cmdcircle.png")),
        ownPicture(QStringLiteral(":/images/cmdpoly.png")),
        ownPicture(QStringLiteral(":/images/cmdmake.png")),
        ownPicture(QStringLiteral(":/images/cmdclose.png")),
    };
    return pictures;
}

void showWindowPictures(Ui::frmMap& ui, QMainWindow& window)
{
    const WindowPictures& pictures = windowPictures();
    ui.mapee->setPicture(pictures.splash);
    window.setWindowIcon(QPixmap::fromImage(pictures.window));
    for (auto [button, picture] : {std::pair{ui.cmdSquare, &pictures.square},
                                   {ui.cmdCircle, &pictures.circle},
                                   {ui.cmdPoly, &pictures.poly},
                                   {ui.cmdMake, &pictures.make},
                                   {ui.cmdClose, &pictures.close}})
        button->setIcon(QPixmap::fromImage(*picture));
}

} // namespace tavlo
