#include "WatcherProbe.h"

#include "Quarl.Control.GradientBar.h"
#include "InterfaceImageIndex.h"
#include "InterfaceImages.h"
#include "Quarl_IpHlpAPI.h"
#include "TNetworkNamespace.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Puts the calling thread (the GUI thread, which the panel reads counters on) into a namespace and
// brings it back home on destruction.
class TEnteredNamespace {
public:
    explicit TEnteredNamespace(const std::string &name)
        : FHome(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC))
    {
        const int target = ::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
        FEntered = FHome >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
        if (target >= 0)
            ::close(target);
    }
    ~TEnteredNamespace()
    {
        if (FEntered)
            ::setns(FHome, CLONE_NEWNET);
        if (FHome >= 0)
            ::close(FHome);
    }
    TEnteredNamespace(const TEnteredNamespace &) = delete;
    TEnteredNamespace &operator=(const TEnteredNamespace &) = delete;

    bool Entered() const { return FEntered; }

private:
    int FHome;
    bool FEntered = false;
};

std::string Trimmed(std::string text)
{
    text.erase(text.find_last_not_of(" \n") + 1);
    return text;
}

// A UDP socket bound to port 9 of `address`, so datagrams to it are taken and nothing answers them.
class TDiscardSocket {
public:
    explicit TDiscardSocket(const char *address) : FFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in own{};
        own.sin_family = AF_INET;
        own.sin_port = htons(9);
        own.sin_addr.s_addr = inet_addr(address);
        FBound = FFd >= 0 && ::bind(FFd, reinterpret_cast<sockaddr *>(&own), sizeof(own)) == 0;
    }
    ~TDiscardSocket()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDiscardSocket(const TDiscardSocket &) = delete;
    TDiscardSocket &operator=(const TDiscardSocket &) = delete;

    bool Bound() const { return FBound; }

    // Sends `count` datagrams of `size` bytes to port 9 of `address`.
    void SendTo(const char *address, int count, std::size_t size) const
    {
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(9);
        peer.sin_addr.s_addr = inet_addr(address);
        const std::vector<char> payload(size, 'v');
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(::sendto(FFd, payload.data(), size, 0, reinterpret_cast<sockaddr *>(&peer), sizeof(peer)),
                      static_cast<ssize_t>(size));
    }

private:
    int FFd;
    bool FBound = false;
};

struct TKernelCounters {
    double Received = 0;
    double Sent = 0;
};

// A veth pair between two namespaces of the test's own: vxw (10.79.0.1) here, vxwpeer (10.79.0.2) there,
// with IPv6 off and static neighbours, so only the test's datagrams cross and every send is counted
// before sendto returns.
class WatcherOnVeth : public testing::Test {
protected:
    void SetUp() override
    {
        if (!FHere.IsCreated() || !FThere.IsCreated())
            GTEST_SKIP() << "cannot create network namespaces (needs root and iproute2's ip netns)";
        for (const TNetworkNamespace *side : {&FHere, &FThere})
            side->Output("sh -c 'for c in all default; do echo 1 > /proc/sys/net/ipv6/conf/$c/disable_ipv6; done' 2>&1");
        ASSERT_TRUE(FHere.Ip("link add vxw type veth peer name vxwpeer netns " + FThere.Name()));
        ASSERT_TRUE(FHere.Ip("addr add 10.79.0.1/24 dev vxw"));
        ASSERT_TRUE(FThere.Ip("addr add 10.79.0.2/24 dev vxwpeer"));
        ASSERT_TRUE(FHere.Ip("link set vxw up"));
        ASSERT_TRUE(FThere.Ip("link set vxwpeer up"));
        const std::string ownMac = Trimmed(FHere.Output("cat /sys/class/net/vxw/address"));
        const std::string peerMac = Trimmed(FThere.Output("cat /sys/class/net/vxwpeer/address"));
        ASSERT_TRUE(FHere.Ip("neigh replace 10.79.0.2 lladdr " + peerMac + " dev vxw nud permanent"));
        ASSERT_TRUE(FThere.Ip("neigh replace 10.79.0.1 lladdr " + ownMac + " dev vxwpeer nud permanent"));
        FIndex = static_cast<std::uint32_t>(std::stoul("0" + Trimmed(FHere.Output("cat /sys/class/net/vxw/ifindex"))));
        ASSERT_NE(FIndex, 0u);
    }

    TKernelCounters Kernel() const
    {
        std::istringstream numbers(
            FHere.Output("cat /sys/class/net/vxw/statistics/rx_bytes /sys/class/net/vxw/statistics/tx_bytes"));
        TKernelCounters counters;
        numbers >> counters.Received >> counters.Sent;
        return counters;
    }

    // `count` datagrams of `size` bytes from the peer to here.
    void ReceiveFromPeer(int count, std::size_t size) const
    {
        if (count == 0)
            return;
        ASSERT_TRUE(FThere.Run([&] {
            const TDiscardSocket peer("10.79.0.2");
            ASSERT_TRUE(peer.Bound());
            peer.SendTo("10.79.0.1", count, size);
        }));
    }

    TNetworkNamespace FHere;
    TNetworkNamespace FThere;
    std::uint32_t FIndex = 0;
};

TEST_F(WatcherOnVeth, RatesAndTotalsAgreeWithTheKernelCounters)
{
    const TEnteredNamespace entered(FHere.Name());
    ASSERT_TRUE(entered.Entered()) << "cannot enter the test's namespace";
    ASSERT_TRUE(InitIpHlpAPI());
    const TDiscardSocket own("10.79.0.1");
    ASSERT_TRUE(own.Bound());

    TSteppedClocks clocks;
    QObject owner;
    Tfrm_vx_Watcher panel(CreateInterfaceImageList(16, &owner), CreateInterfaceImageList(32, &owner));
    panel.SetClocks(clocks.Clocks());
    panel.Adapter.IntfIdx = FIndex;
    panel.Adapter.Name = "vxw";
    panel.Initialize();
    panel.Header->SetCaption(QStringLiteral("vxw"));
    panel.Header->SetImageIndex(InterfaceImageIndex(IF_TYPE_ETHERNET_CSMACD, MIB_IF_OPER_STATUS_OPERATIONAL));
    panel.Header->setToolTip(QStringLiteral("veth of the test"));
    panel.show();

    // Counters that never moved read as a failed read; some traffic first, as on a live interface.
    own.SendTo("10.79.0.2", 1, 100);
    ReceiveFromPeer(1, 100);
    const TKernelCounters first = Kernel();
    panel.TimerTimer();
    TKernelCounters previous = first;
    double largestUpload = 0;
    for (int second = 1; second <= 90; ++second) {
        // Uneven traffic both ways, so the graph has a shape to look at.
        own.SendTo("10.79.0.2", 40 + 30 * (second % 7), 1200);
        ReceiveFromPeer(second % 11 * 25, 1000);
        clocks.Advance(1000);
        const TKernelCounters now = Kernel();
        panel.TimerTimer();
        QApplication::processEvents();
        const double upload = now.Sent - previous.Sent;
        largestUpload = std::max(largestUpload, upload);
        ASSERT_EQ(PanelText(panel, "lUL"), Transfer(upload)) << "second " << second;
        ASSERT_EQ(PanelText(panel, "lDL"), Transfer(now.Received - previous.Received)) << "second " << second;
        previous = now;
    }
    EXPECT_GT(previous.Sent - first.Sent, 90 * 40 * 1200) << "the datagrams crossed";
    EXPECT_EQ(PanelText(panel, "lULTotal"), Transfer(previous.Sent));
    EXPECT_EQ(PanelText(panel, "lDLTotal"), Transfer(previous.Received));
    EXPECT_EQ(PanelText(panel, "lTUL"), Transfer(previous.Sent - first.Sent));
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(previous.Received - first.Received));
    EXPECT_EQ(PanelText(panel, "lULMax"), Transfer(largestUpload));

    // For a person to look at: VORLIX_SNAPSHOT_DIR names a folder that receives the panel's picture.
    const QString folder = qEnvironmentVariable("VORLIX_SNAPSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(panel.grab().save(QDir(folder).filePath(QStringLiteral("watcher-veth.png"))));
    }
}

} // namespace
