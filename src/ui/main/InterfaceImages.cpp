#include "InterfaceImages.h"

#include "TImageList.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

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

// Renders a list again for the screen of the window it watches.
class TRatioFollower final : public QObject {
public:
    TRatioFollower(TImageList *list, QWidget *window) : QObject(list), FList(list)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal) {
            if (const auto *window = qobject_cast<const QWidget *>(watched))
                FList->SetDevicePixelRatio(window->devicePixelRatioF());
        }
        return false;
    }

private:
    TImageList *FList; // the follower's parent
};

} // namespace

TImageList *CreateInterfaceImageList(int PixelSize, QObject *Parent)
{
    auto *list = new TImageList(QSize(PixelSize, PixelSize), Parent);
    list->SetDevicePixelRatio(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    for (const char *path : InterfacePictures)
        list->AddSource([file = QString::fromLatin1(path)](QSize devicePixels) { return RenderSvg(file, devicePixels); });
    return list;
}

void FollowDevicePixelRatio(TImageList *List, QWidget *Window)
{
    // Owned by List; a destroyed Window drops its event filters itself.
    new TRatioFollower(List, Window);
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(RenderSvg(QString::fromLatin1(ApplicationPicture), QSize(size, size))));
    return icon;
}
