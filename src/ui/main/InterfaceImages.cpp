#include "InterfaceImages.h"

#include "TImageList.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <array>

namespace {

// Indexed as InterfaceImageIndex answers.
constexpr std::array<const char *, 15> InterfacePictures = {
    ":/artwork/interface/00-warning.svg",         ":/artwork/interface/01-question.svg",
    ":/artwork/interface/02-power-plug.svg",      ":/artwork/interface/03-usb-plug.svg",
    ":/artwork/interface/04-firewire.svg",        ":/artwork/interface/05-bluetooth.svg",
    ":/artwork/interface/06-usb-symbol.svg",      ":/artwork/interface/07-network-card.svg",
    ":/artwork/interface/08-radio-waves.svg",     ":/artwork/interface/09-card-branching.svg",
    ":/artwork/interface/10-card-circular.svg",   ":/artwork/interface/11-card-cloud.svg",
    ":/artwork/interface/12-card-sim.svg",        ":/artwork/interface/13-networked-computer.svg",
    ":/artwork/interface/14-address-plate.svg"};

constexpr const char *ApplicationPicture = ":/artwork/vorlix.svg";

QImage RenderSvg(const QString &path, QSize devicePixels)
{
    QImage image(devicePixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

TImageList *CreateInterfaceImageList(int PixelSize, QObject *Parent)
{
    auto *list = new TImageList(QSize(PixelSize, PixelSize), Parent);
    list->SetDevicePixelRatio(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    for (const char *path : InterfacePictures)
        list->AddSource([file = QString::fromLatin1(path)](QSize devicePixels) { return RenderSvg(file, devicePixels); });
    return list;
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(RenderSvg(QString::fromLatin1(ApplicationPicture), QSize(size, size))));
    return icon;
}
