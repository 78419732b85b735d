#pragma once

#include "InsideTestNamespace.h"
#include "LayoutStorage.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TInterfaceList.h"
#include "TInterfaceRowItem.h"
#include "Twnd_vx_Main.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The main window over the interfaces of the test's own network namespace, with a settings file of its own.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!NamespaceUnavailableReason().empty())
            GTEST_SKIP() << NamespaceUnavailableReason();
        ASSERT_TRUE(FFolder.isValid());
        Shell("ip link set lo up");
        FStorage->SetFileName(FFolder.filePath("vorlix.ini").toStdString());
        LayoutStorage() = FStorage;
    }

    void TearDown() override
    {
        LayoutStorage().reset();
        Shell("ip link del vxa");
        Shell("ip link del vxc");
    }

    // A veth pair whose ends are both up is operational; with the peer down it has no carrier. The kernel turns
    // the carrier on a moment after both ends are up, so a pair that is to be operational is waited for.
    static bool AddPair(const std::string &name, const std::string &peer, bool peerUp = true)
    {
        if (!Shell("ip link add " + name + " type veth peer name " + peer) || !Shell("ip link set " + name + " up"))
            return false;
        if (!peerUp)
            return true;
        return Shell("ip link set " + peer + " up") &&
               QTest::qWaitFor([&] { return Operational(name) && Operational(peer); }, 5000);
    }

    static bool Operational(const std::string &name)
    {
        QFile state(QString::fromStdString("/sys/class/net/" + name + "/operstate"));
        return state.open(QIODevice::ReadOnly) && state.readAll().trimmed() == "up";
    }

    std::unique_ptr<Twnd_vx_Main> ShownWindow()
    {
        auto window = std::make_unique<Twnd_vx_Main>();
        window->show();
        return window;
    }

    static TInterfaceRowItem *Row(const Twnd_vx_Main &window, const QString &name)
    {
        for (int i = 0; i < window.Tree->topLevelItemCount(); ++i) {
            auto *row = static_cast<TInterfaceRowItem *>(window.Tree->topLevelItem(i));
            if (row->text(0) == name)
                return row;
        }
        return nullptr;
    }

    static QAction *MenuItem(const Twnd_vx_Main &window, const QString &name)
    {
        for (QAction *item : window.mmInterface->actions()) {
            if (item->text() == name)
                return item;
        }
        return nullptr;
    }

    void WriteSettings(const std::string &text) const
    {
        QFile file(QString::fromStdString(FStorage->GetFileName()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    std::string FileText() const
    {
        QFile file(QString::fromStdString(FStorage->GetFileName()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir FFolder;
    std::shared_ptr<TLayoutManagerINIStorage> FStorage = std::make_shared<TLayoutManagerINIStorage>();
};
