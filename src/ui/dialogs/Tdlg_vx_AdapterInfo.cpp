#include "Tdlg_vx_AdapterInfo.h"

#include "InterfaceImageIndex.h"
#include "MeterTexts.h"
#include "Quarl_NCC.h"
#include "RunOwnedModal.h"
#include "TImageList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdint>
#include <string_view>
#include <utility>

namespace {

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Line 0 of the address list split at its "=": the address and the mask. An empty list (which a
// snapshot never gives, but a hand-made record may) shows nothing.
std::pair<QString, QString> FirstAddressAndMask(const TSharedLines &lines)
{
    if (lines.Empty())
        return {};
    const QString line = Text(lines[0]);
    const qsizetype separator = line.indexOf(u'=');
    if (separator < 0)
        return {line, QString()};
    return {line.left(separator), line.mid(separator + 1)};
}

template <class Table, class Enum>
QString TableText(const Table &table, Enum value)
{
    const auto index = static_cast<std::size_t>(value);
    return index < table.size() ? Text(table[index]) : QString();
}

constexpr int ClientWidth = 362;
constexpr int ClientHeight = 364;

} // namespace

Tdlg_vx_AdapterInfo::Tdlg_vx_AdapterInfo(const TImageList &ilIntf32, QWidget *Owner)
    : QDialog(Owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      FImages(ilIntf32),
      OkButton(new QPushButton(QStringLiteral("确定"), this)),
      pc(new QTabWidget(this)),
      TabSheet1(new QWidget(pc)),
      Image1(new QLabel(TabSheet1)),
      eName(new QLineEdit(TabSheet1))
{
    setObjectName(QStringLiteral("dlg_vx_AdapterInfo"));
    setWindowTitle(QStringLiteral("属性"));
    setFixedSize(ClientWidth, ClientHeight);

    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    pc->setObjectName(QStringLiteral("pc"));
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    pc->addTab(TabSheet1, QStringLiteral("一般"));

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(32, 32);
    Image1->setAlignment(Qt::AlignCenter);
    eName->setObjectName(QStringLiteral("eName"));
    eName->setReadOnly(true);

    auto *GroupBox1 = new QGroupBox(QStringLiteral(" 设备属性 "), TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *values = new QGridLayout(GroupBox1);
    values->setHorizontalSpacing(12);
    values->setColumnStretch(1, 1);
    eAlias = AddValue(*values, QStringLiteral("别名:"), "eAlias");
    eMS = AddValue(*values, QStringLiteral("最大速度:"), "eMS");
    eMTU = AddValue(*values, QStringLiteral("MTU 大小:"), "eMTU");
    eMAC = AddValue(*values, QStringLiteral("MAC 地址:"), "eMAC");
    eIP = AddValue(*values, QStringLiteral("IP 地址:"), "eIP");
    eMask = AddValue(*values, QStringLiteral("子网掩码:"), "eMask");
    eType = AddValue(*values, QStringLiteral("类型:"), "eType");
    eStatus = AddValue(*values, QStringLiteral("状态:"), "eStatus");

    auto *identity = new QHBoxLayout;
    identity->setSpacing(12);
    identity->addWidget(Image1);
    identity->addWidget(eName, 1);
    auto *page = new QVBoxLayout(TabSheet1);
    page->setContentsMargins(12, 12, 12, 12);
    page->setSpacing(12);
    page->addLayout(identity);
    page->addWidget(GroupBox1);
    page->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(8, 8, 8, 8);
    form->addWidget(pc, 1);
    form->addLayout(buttons);

    FormCreate();
}

QLabel *Tdlg_vx_AdapterInfo::AddValue(QGridLayout &Grid, const QString &Caption, const char *Name)
{
    const int row = Grid.rowCount();
    Grid.addWidget(new QLabel(Caption, Grid.parentWidget()), row, 0);
    auto *value = new QLabel(Grid.parentWidget());
    value->setObjectName(QString::fromLatin1(Name));
    // So that a user can copy a MAC or an IP address.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Grid.addWidget(value, row, 1);
    return value;
}

void Tdlg_vx_AdapterInfo::FormCreate()
{
    pc->setCurrentWidget(TabSheet1);
    FImageIndex = 0;
    ShowImage();
    eName->setText(QStringLiteral("无法获取数据. 设备不可用."));
}

void Tdlg_vx_AdapterInfo::Fill(const TAdapter &A, const TMeterFormatSettings &Settings)
{
    eName->setText(Text(A.Name));
    eAlias->setText(Text(A.Alias));
    eMS->setText(Text(FormatMaxSpeed(A.MaxSpeed)));
    eMTU->setText(Text(FormatMtu(A.MTU, Settings)));
    eType->setText(TableText(AdapterTypeNames, A.Typ));
    eStatus->setText(TableText(OperStatusNames, A.OperStatus));
    eMAC->setText(Text(A.MACAddress));
    const auto [address, mask] = FirstAddressAndMask(A.IPAddress);
    eIP->setText(address);
    eMask->setText(mask);
    FImageIndex = InterfaceImageIndex(static_cast<std::int32_t>(A._Typ), A._Status);
    ShowImage();
}

void Tdlg_vx_AdapterInfo::ShowImage()
{
    Image1->setPixmap(QPixmap::fromImage(FImages.GetImage(FImageIndex, devicePixelRatioF())));
}

void Tdlg_vx_AdapterInfo::showEvent(QShowEvent *Event)
{
    // The screen is known only now.
    ShowImage();
    QDialog::showEvent(Event);
}

void Tdlg_vx_AdapterInfo::reject()
{
    // OK is the cancel button too: Escape closes with the result OK.
    accept();
}

void ShowAdapterProperties(const TAdapter &A, const TImageList &ilIntf32, QWidget *Owner)
{
    auto *dialog = new Tdlg_vx_AdapterInfo(ilIntf32, Owner);
    dialog->Fill(A);
    RunOwnedModal(dialog);
}
