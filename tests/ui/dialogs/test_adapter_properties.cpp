#include "InterfaceImageIndex.h"
#include "InterfaceImages.h"
#include "Quarl_NCC.h"
#include "RowName.h"
#include "TImageList.h"
#include "TNetworkNamespace.h"
#include "Tdlg_vx_AdapterInfo.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace {

QString Shown(const QWidget &dialog, const char *name)
{
    if (const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name)))
        return label->text();
    if (const auto *edit = dialog.findChild<QLineEdit *>(QString::fromLatin1(name)))
        return edit->text();
    ADD_FAILURE() << "no component " << name;
    return {};
}

QImage ShownPicture(const QWidget &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().toImage().convertToFormat(
        QImage::Format_ARGB32);
}

QImage ListPicture(const TImageList &list, int index, const QWidget &dialog)
{
    return list.GetImage(index, dialog.devicePixelRatioF()).convertToFormat(QImage::Format_ARGB32);
}

class AdapterPropertiesDialog : public testing::Test {
protected:
    QObject FOwner;
    TImageList *FImages = CreateInterfaceImageList(32, &FOwner);
};

struct ValueRow {
    const char *name;
    std::function<void(TAdapter &)> setUp;
    TMeterFormatSettings separators;
    const char *component;
    const char *expected;
};

class AdapterPropertiesValue : public AdapterPropertiesDialog, public testing::WithParamInterface<ValueRow> {};

} // namespace

TEST_P(AdapterPropertiesValue, ShowsTheValueAsItsTextForm)
{
    const ValueRow &row = GetParam();
    TAdapter adapter;
    adapter.IPAddress = TSharedLines({"0.0.0.0=0.0.0.0"});
    row.setUp(adapter);
    Tdlg_vx_AdapterInfo dialog(*FImages);
    dialog.Fill(adapter, row.separators);
    EXPECT_EQ(Shown(dialog, row.component), QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, AdapterPropertiesValue,
    testing::Values(
        ValueRow{"MtuWithEnglishSeparators", [](TAdapter &a) { a.MTU = 1500; }, {".", ","}, "eMTU", "1,500 B"},
        ValueRow{"MtuWithGermanSeparators", [](TAdapter &a) { a.MTU = 65536; }, {",", "."}, "eMTU", "65.536 B"},
        ValueRow{"SpeedBelowOneMbitIsZero", [](TAdapter &a) { a.MaxSpeed = 999999; }, {}, "eMS", "0 Mbps"},
        ValueRow{"GigabitIsThousandMbps", [](TAdapter &a) { a.MaxSpeed = 1000000000; }, {}, "eMS", "1000 Mbps"},
        ValueRow{"SpeedTruncates", [](TAdapter &a) { a.MaxSpeed = 54999999; }, {}, "eMS", "54 Mbps"},
        ValueRow{"SpeedBeyondThirtyTwoBits", [](TAdapter &a) { a.MaxSpeed = 100000000000ULL; }, {}, "eMS",
                 "100000 Mbps"},
        ValueRow{"AddressFromFirstLine",
                 [](TAdapter &a) { a.IPAddress = TSharedLines({"192.0.2.7=255.255.255.0", "198.51.100.1=255.255.0.0"}); },
                 {}, "eIP", "192.0.2.7"},
        ValueRow{"MaskFromFirstLine",
                 [](TAdapter &a) { a.IPAddress = TSharedLines({"192.0.2.7=255.255.255.0", "198.51.100.1=255.255.0.0"}); },
                 {}, "eMask", "255.255.255.0"},
        ValueRow{"NoAddressLineShowsNoAddress", [](TAdapter &a) { a.IPAddress = TSharedLines(); }, {}, "eIP", ""},
        ValueRow{"NoAddressLineShowsNoMask", [](TAdapter &a) { a.IPAddress = TSharedLines(); }, {}, "eMask", ""},
        ValueRow{"EmptyNameReplacesThePlaceholder", [](TAdapter &a) { a.Name.clear(); }, {}, "eName", ""},
        ValueRow{"TypeText", [](TAdapter &a) { a.Typ = TAdapterType::atLoopback; }, {}, "eType", "本地环回"},
        ValueRow{"StatusText", [](TAdapter &a) { a.OperStatus = TAdapterOperationalStatus::aosConnecting; }, {},
                 "eStatus", "正在连接"}),
    RowName());

// The placeholder belongs to an unfilled dialog only; filling must replace it.
TEST_F(AdapterPropertiesDialog, PlaceholderStandsOnlyBeforeFilling)
{
    Tdlg_vx_AdapterInfo dialog(*FImages);
    EXPECT_EQ(Shown(dialog, "eName"), QStringLiteral("无法获取数据. 设备不可用."));
    EXPECT_EQ(ShownPicture(dialog), ListPicture(*FImages, 0, dialog));
    TAdapter adapter;
    adapter.Name = "eth7";
    dialog.Fill(adapter);
    EXPECT_EQ(Shown(dialog, "eName"), QStringLiteral("eth7"));
    EXPECT_EQ(dialog.size(), QSize(362, 364));
    for (const char *name : {"eAlias", "eMS", "eMTU", "eMAC", "eIP", "eMask", "eType", "eStatus"}) {
        const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse)) << name << " cannot be copied";
    }
}

// A real veth whose peer is down has no carrier: the kernel's own record must show as disconnected
// Ethernet with the warning triangle, and its real MAC, alias and address.
TEST_F(AdapterPropertiesDialog, DisconnectedVethShowsWarningAndItsOwnRecord)
{
    TNetworkNamespace ns;
    if (!ns.IsCreated())
        GTEST_SKIP() << "cannot make a network namespace (needs root and iproute2)";
    ASSERT_TRUE(ns.Ip("link add vxa type veth peer name vxb"));
    ASSERT_TRUE(ns.Ip("link set vxa alias uplink up"));
    ASSERT_TRUE(ns.Ip("addr add 10.77.0.1/24 dev vxa"));
    std::optional<TAdapter> vxa;
    ASSERT_TRUE(ns.Run([&] {
        TNetworkConfiguration config;
        config.RefreshData();
        const int index = config.FindAdapter(std::string_view("vxa"));
        if (index >= 0)
            vxa = config.Adapter(static_cast<std::uint16_t>(index));
    }));
    ASSERT_TRUE(vxa.has_value());
    ASSERT_EQ(vxa->OperStatus, TAdapterOperationalStatus::aosDisconnected);

    Tdlg_vx_AdapterInfo dialog(*FImages);
    dialog.Fill(*vxa);
    EXPECT_EQ(Shown(dialog, "eName"), QStringLiteral("vxa"));
    EXPECT_EQ(Shown(dialog, "eAlias"), QStringLiteral("uplink"));
    EXPECT_EQ(Shown(dialog, "eType"), QStringLiteral("以太网"));
    EXPECT_EQ(Shown(dialog, "eStatus"), QStringLiteral("已断开"));
    EXPECT_EQ(Shown(dialog, "eMAC"), QString::fromStdString(vxa->MACAddress));
    EXPECT_EQ(Shown(dialog, "eIP"), QStringLiteral("10.77.0.1"));
    EXPECT_EQ(Shown(dialog, "eMask"), QStringLiteral("255.255.255.0"));
    const int expected = InterfaceImageIndex(static_cast<std::int32_t>(vxa->_Typ), vxa->_Status);
    EXPECT_EQ(ShownPicture(dialog), ListPicture(*FImages, expected, dialog));
    EXPECT_NE(ShownPicture(dialog), ListPicture(*FImages, InterfaceImageIndex(6, 5), dialog))
        << "a disconnected card must not look like a working one";
}

// The caller's owner must not collect a dialog per opening, and the modal run must return on OK.
TEST_F(AdapterPropertiesDialog, ShowAdapterPropertiesRunsFilledAndFreesTheDialog)
{
    QWidget owner;
    owner.setGeometry(150, 120, 560, 480); // inside the 800 × 800 offscreen screen
    owner.show();
    TAdapter adapter;
    adapter.Name = "wlan0";
    adapter.IPAddress = TSharedLines({"10.0.0.2=255.0.0.0"});
    QString shownName;
    bool wasModal = false;
    QPoint centre;
    QTimer::singleShot(0, &owner, [&] {
        auto *dialog = owner.findChild<Tdlg_vx_AdapterInfo *>();
        if (!dialog)
            return;
        shownName = Shown(*dialog, "eName");
        wasModal = dialog->isModal() && dialog->isVisible();
        centre = dialog->frameGeometry().center();
        dialog->findChild<QPushButton *>(QStringLiteral("OkButton"))->click();
    });
    ShowAdapterProperties(adapter, *FImages, &owner);
    EXPECT_TRUE(wasModal);
    // Window frames and rounding shift the centre by a few pixels.
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 6) << "not centred on its owner";
    EXPECT_EQ(shownName, QStringLiteral("wlan0"));
    EXPECT_EQ(owner.findChild<Tdlg_vx_AdapterInfo *>(), nullptr);
}
