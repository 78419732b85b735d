#include "WatcherProbe.h"

#include "Quarl.Control.GradientBar.h"
#include "TScriptedIpHlp.h"

#include <QAccessible>
#include <QAccessibleInterface>

namespace {

QString Accessible(QWidget *widget, QAccessible::Text what)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(what) : QStringLiteral("<no accessible interface>");
}

// A screen reader must read what the panel shows: the painted caption bar included.
TEST(WatcherAccessibility, EveryShownTextReachesAssistiveTechnology)
{
    TFakeNetwork net;
    net.Rows2[3].InOctets = 123456;
    net.Rows2[3].OutOctets = 6543;
    TScriptedIpHlp fake(net);
    fake.Install();
    TSteppedClocks clocks;
    {
        Tfrm_vx_Watcher panel(nullptr, nullptr);
        panel.SetClocks(clocks.Clocks());
        panel.Adapter.IntfIdx = 3;
        panel.Header->SetCaption(QStringLiteral("vxeth0"));
        panel.Header->setToolTip(QStringLiteral("Office uplink"));
        panel.TimerTimer();
        EXPECT_EQ(Accessible(panel.Header, QAccessible::Name), QStringLiteral("vxeth0"));
        EXPECT_EQ(Accessible(panel.Header, QAccessible::Description), QStringLiteral("Office uplink"));
        panel.Header->SetCaption(QStringLiteral("vxeth1"));
        EXPECT_EQ(Accessible(panel.Header, QAccessible::Name), QStringLiteral("vxeth1"));

        const QList<TLabelPanel *> panels = panel.findChildren<TLabelPanel *>();
        ASSERT_EQ(panels.size(), 11) << "three caption panels and eight value panels";
        for (TLabelPanel *label : panels) {
            SCOPED_TRACE(label->objectName().toStdString());
            EXPECT_FALSE(label->text().isEmpty());
            EXPECT_EQ(Accessible(label, QAccessible::Name), label->text());
            EXPECT_EQ(Accessible(label, QAccessible::Description), label->toolTip());
            EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::StaticText);
        }
        EXPECT_EQ(PanelText(panel, "lDLTotal"), Transfer(123456));
        EXPECT_EQ(Accessible(panel.findChild<TLabelPanel *>(QStringLiteral("lDLTotal")), QAccessible::Description),
                  QStringLiteral("总传输"));
    }
    TScriptedIpHlp::Restore();
}

} // namespace
