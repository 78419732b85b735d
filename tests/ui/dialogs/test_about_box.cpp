#include "AboutLinks.h"
#include "RowName.h"
#include "TVersionInfo.h"
#include "TdlgAbout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace {

TVersionInfo Record()
{
    TVersionInfo info;
    info.ProductName = "Vorlix";
    info.FileVersion = "2.3.0.0";
    info.Copyright = "Copyright (c) 2026 Quarl";
    info.Description = "网络测量工具";
    return info;
}

QString Shown(const QWidget &dialog, const char *name)
{
    const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
    if (!label) {
        ADD_FAILURE() << "no label " << name;
        return {};
    }
    return label->text();
}

// Replaces the link opener for one test and records what reaches it.
class RecordedLinks {
public:
    explicit RecordedLinks(bool opens)
        : FPrevious(SetOpenLinkHook([this, opens](const QUrl &url) {
              Opened.push_back(url.toString());
              return opens;
          }))
    {
    }
    ~RecordedLinks() { SetOpenLinkHook(FPrevious); }
    RecordedLinks(const RecordedLinks &) = delete;
    RecordedLinks &operator=(const RecordedLinks &) = delete;

    std::vector<QString> Opened;

private:
    TOpenLink FPrevious;
};

} // namespace

TEST(AboutBox, VersionLineCarriesDebugOnlyForDebugBuilds)
{
    TVersionInfo info = Record();
    TdlgAbout release;
    release.Fill(TLanguage::lngEn, info);
    EXPECT_EQ(Shown(release, "lVer"), QStringLiteral("Version 2.3.0.0"));
    info.DebugBuild = true;
    TdlgAbout debug;
    debug.Fill(TLanguage::lngEn, info);
    EXPECT_EQ(Shown(debug, "lVer"), QStringLiteral("Version 2.3.0.0 DEBUG"));
    EXPECT_EQ(debug.windowTitle(), QStringLiteral("About...."));
    EXPECT_EQ(Shown(debug, "lProduct"), QStringLiteral("Vorlix"));
    EXPECT_EQ(Shown(debug, "lCR"), QStringLiteral("Copyright (c) 2026 Quarl"));
    EXPECT_EQ(debug.size(), QSize(600, 384));
    EXPECT_TRUE(debug.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(AboutBox, CommentsComeBeforeDescription)
{
    TVersionInfo info = Record();
    TdlgAbout plain;
    plain.Fill(TLanguage::lngEn, info);
    EXPECT_EQ(Shown(plain, "lDesc"), QStringLiteral("网络测量工具"));
    info.Comments = "Beta for testers";
    TdlgAbout commented;
    commented.Fill(TLanguage::lngEn, info);
    EXPECT_EQ(Shown(commented, "lDesc"), QStringLiteral("Beta for testers"));
}

// Cutting a fixed seven characters would show "/quarl.example/vorlix" for an https link.
TEST(AboutBox, LinksShowWithoutSchemeAndOpenInFull)
{
    RecordedLinks links(false);
    TdlgAbout dialog;
    dialog.Fill(TLanguage::lngEn, Record());
    EXPECT_EQ(Shown(dialog, "lEmail"), QStringLiteral("vorlix@quarl.example"));
    EXPECT_EQ(Shown(dialog, "lWWW"), QStringLiteral("quarl.example/vorlix"));
    dialog.show();
    QTest::mouseClick(dialog.findChild<QLabel *>(QStringLiteral("lEmail")), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QLabel *>(QStringLiteral("lWWW")), Qt::LeftButton);
    // A link that cannot be opened is ignored: the box stays as it was.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(links.Opened, (std::vector<QString>{QStringLiteral("mailto:vorlix@quarl.example"),
                                                  QStringLiteral("https://quarl.example/vorlix")}));
}

TEST(AboutBox, LicenceMemoOpensAtItsStartWithNothingSelected)
{
    for (const TLanguage language : {TLanguage::lngEn, TLanguage::lngCz}) {
        TdlgAbout dialog;
        dialog.Fill(language, Record());
        const auto *memo = dialog.findChild<QPlainTextEdit *>(QStringLiteral("mLic"));
        ASSERT_NE(memo, nullptr);
        EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("MIT")));
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->textCursor().position(), 0);
        EXPECT_FALSE(memo->textCursor().hasSelection());
    }
}

namespace {

struct DragRow {
    const char *name;
    const char *component;
    Qt::MouseButton button;
    bool moves;
};

class AboutBoxDrag : public testing::TestWithParam<DragRow> {};

void Send(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint global = target->mapToGlobal(local);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

// The borderless box can be moved only by its white top area, with any button.
TEST_P(AboutBoxDrag, OnlyTheWhiteAreaDragsTheBox)
{
    const DragRow &row = GetParam();
    const RecordedLinks links(false); // the link row clicks its link
    TdlgAbout dialog;
    dialog.Fill(TLanguage::lngEn, Record());
    dialog.move(100, 100);
    dialog.show();
    QApplication::processEvents();
    auto *target = dialog.findChild<QWidget *>(QString::fromLatin1(row.component));
    ASSERT_NE(target, nullptr);
    const QPoint start = dialog.pos();
    const QPoint press(target->width() / 2, target->height() / 2);
    const QPoint delta(37, 21);
    Send(target, QEvent::MouseButtonPress, press, row.button, row.button);
    // The pointer has moved; the box follows, so the pointer is at the same local point again.
    const QPoint global = target->mapToGlobal(press) + delta;
    QMouseEvent move(QEvent::MouseMove, QPointF(press + delta), QPointF(global), Qt::NoButton, row.button,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    Send(target, QEvent::MouseButtonRelease, press, row.button, Qt::NoButton);
    EXPECT_EQ(dialog.pos(), row.moves ? start + delta : start);
}

INSTANTIATE_TEST_SUITE_P(Areas, AboutBoxDrag,
                         testing::Values(DragRow{"WhiteAreaLeftButton", "Panel2", Qt::LeftButton, true},
                                         DragRow{"WhiteAreaRightButton", "Panel2", Qt::RightButton, true},
                                         DragRow{"ProductLabel", "lProduct", Qt::LeftButton, true},
                                         DragRow{"Picture", "Image1", Qt::MiddleButton, true},
                                         DragRow{"GreyMiddle", "Panel1", Qt::LeftButton, false},
                                         DragRow{"ButtonBar", "Panel3", Qt::LeftButton, false},
                                         DragRow{"EmailLink", "lEmail", Qt::LeftButton, false}),
                         RowName());

TEST(AboutBox, EscapeClosesLikeOk)
{
    TdlgAbout dialog;
    dialog.Fill(TLanguage::lngEn, Record());
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

// The box shows the process's own record, centred on its owner, and is freed when it closes.
TEST(AboutBox, ShowAboutRunsWithTheProcessRecordAndFreesTheBox)
{
    QWidget owner;
    owner.setGeometry(150, 120, 560, 480); // inside the 800 × 800 offscreen screen
    owner.show();
    QString product;
    QPoint centre;
    QTimer::singleShot(0, &owner, [&] {
        auto *dialog = owner.findChild<TdlgAbout *>();
        if (!dialog)
            return;
        product = Shown(*dialog, "lProduct");
        centre = dialog->frameGeometry().center();
        dialog->findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    });
    ShowAbout(TLanguage::lngEn, &owner);
    EXPECT_EQ(product, QString::fromStdString(ProcessVersionInfo().ProductName));
    // Window frames and rounding shift the centre by a few pixels.
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 6) << "not centred on its owner";
    EXPECT_EQ(owner.findChild<TdlgAbout *>(), nullptr);
}
