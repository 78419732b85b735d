#include "TdlgAbout.h"

#include "AboutLinks.h"
#include "RunOwnedModal.h"
#include "TLinkLabel.h"
#include "TVersionInfo.h"
#include "TWindowDragArea.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <array>
#include <string>

namespace {

struct TAboutTexts {
    const char *About;   // the caption, through "%s...."
    const char *Version; // the version line, through "%s %s"
    const char *Licence; // the memo
};

constexpr std::array<TAboutTexts, 2> AboutTexts = {{
    {"About", "Version",
     "Vorlix is free software, released under the MIT License.\n"
     "\n"
     "Copyright (c) 2026 Quarl\n"
     "\n"
     "You may use, copy, modify, merge, publish, distribute, sublicense and sell copies of it, provided that "
     "the copyright notice and the permission notice are included in all copies or substantial portions.\n"
     "\n"
     "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND. See the LICENSE file that comes with "
     "it for the full terms."},
    {"O programu", "Verze",
     "Vorlix je svobodný software vydaný pod licencí MIT.\n"
     "\n"
     "Copyright (c) 2026 Quarl\n"
     "\n"
     "Smíte jej používat, kopírovat, upravovat, slučovat, zveřejňovat, šířit, sublicencovat a prodávat jeho "
     "kopie, pokud všechny kopie nebo jejich podstatné části obsahují oznámení o autorských právech a toto "
     "svolení.\n"
     "\n"
     "SOFTWARE SE POSKYTUJE „TAK, JAK JE“, BEZ JAKÉKOLI ZÁRUKY. Úplné podmínky najdete v souboru LICENSE, "
     "který je k němu přiložen."},
}};

const TAboutTexts &TextsOf(TLanguage L)
{
    return AboutTexts[static_cast<std::size_t>(L)];
}

QString Text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

constexpr int FormWidth = 600;
constexpr int FormHeight = 384;
constexpr int HeaderHeight = 117;
constexpr int ButtonBarHeight = 44;
constexpr int PictureWidth = 120;
constexpr int PictureHeight = 59;

QWidget *ColouredPanel(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
    return widget;
}

QPixmap Wordmark(qreal ratio)
{
    QImage image(QSize(PictureWidth, PictureHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/artwork/wordmark.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

} // namespace

TdlgAbout::TdlgAbout(QWidget *Owner)
    : QDialog(Owner, Qt::Dialog | Qt::FramelessWindowHint),
      Panel2(new TWindowDragArea(this)),
      Icon(new QLabel(Panel2)),
      lProduct(new QLabel(Panel2)),
      lVer(new QLabel(Panel2)),
      lCR(new QLabel(Panel2)),
      lDesc(new QLabel(Panel2)),
      Image1(new QLabel(Panel2)),
      Panel1(new QWidget(this)),
      mLic(new QPlainTextEdit(Panel1)),
      lEmail(new TLinkLabel(Panel1)),
      lWWW(new TLinkLabel(Panel1)),
      Panel3(new QWidget(this)),
      Button2(new QPushButton(QStringLiteral("确定"), Panel3))
{
    setObjectName(QStringLiteral("dlgAbout"));
    setFixedSize(FormWidth, FormHeight);
    // The black form shows as a one-pixel frame around and between the panels.
    ColouredPanel(this, Qt::black);

    Panel2->setObjectName(QStringLiteral("Panel2"));
    ColouredPanel(Panel2, Qt::white)->setFixedHeight(HeaderHeight);
    Icon->setObjectName(QStringLiteral("Icon"));
    Icon->setGeometry(16, 16, 32, 32);
    lProduct->setObjectName(QStringLiteral("lProduct"));
    QFont productFont = lProduct->font();
    productFont.setPointSize(14);
    productFont.setBold(true);
    lProduct->setFont(productFont);
    lProduct->setGeometry(60, 8, 400, 26);
    lVer->setObjectName(QStringLiteral("lVer"));
    QFont bold = lVer->font();
    bold.setBold(true);
    lVer->setFont(bold);
    lVer->setGeometry(60, 34, 400, 18);
    lCR->setObjectName(QStringLiteral("lCR"));
    lCR->setGeometry(60, 52, 400, 18);
    lDesc->setObjectName(QStringLiteral("lDesc"));
    lDesc->setWordWrap(true);
    lDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette navy = lDesc->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    lDesc->setPalette(navy);
    lDesc->setGeometry(16, 76, 440, 36);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(FormWidth - 2 - PictureWidth - 12, 10, PictureWidth, PictureHeight);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    ColouredPanel(Panel1, QColor(221, 221, 221));
    mLic->setObjectName(QStringLiteral("mLic"));
    mLic->setReadOnly(true);
    mLic->setFrameShape(QFrame::NoFrame);
    QPalette memo = mLic->palette();
    memo.setColor(QPalette::Base, QColor(221, 221, 221));
    mLic->setPalette(memo);
    mLic->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lEmail->setObjectName(QStringLiteral("lEmail"));
    lWWW->setObjectName(QStringLiteral("lWWW"));
    lWWW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(lEmail, &TLinkLabel::OnClick, this, &TdlgAbout::cmEmail);
    connect(lWWW, &TLinkLabel::OnClick, this, &TdlgAbout::cmHomepage);
    auto *links = new QHBoxLayout;
    links->addWidget(lEmail);
    links->addStretch(1);
    links->addWidget(lWWW);
    // Memo margins of 10, 20 at the bottom where the links stand.
    auto *middle = new QVBoxLayout(Panel1);
    middle->setContentsMargins(10, 10, 10, 2);
    middle->setSpacing(2);
    middle->addWidget(mLic, 1);
    middle->addLayout(links);

    Panel3->setObjectName(QStringLiteral("Panel3"));
    ColouredPanel(Panel3, QColor(160, 160, 160))->setFixedHeight(ButtonBarHeight);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout(Panel3);
    bottom->setContentsMargins(10, 8, 10, 8);
    bottom->addStretch(1);
    bottom->addWidget(Button2);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(1, 1, 1, 1);
    form->setSpacing(1);
    form->addWidget(Panel2);
    form->addWidget(Panel1, 1);
    form->addWidget(Panel3);

    FormCreate();
}

void TdlgAbout::FormCreate()
{
    Icon->setPixmap(QApplication::windowIcon().pixmap(32, 32, QIcon::Normal));
    Image1->setPixmap(Wordmark(devicePixelRatioF()));
}

void TdlgAbout::Fill(TLanguage L, const TVersionInfo &Version)
{
    FLang = L;
    const TAboutTexts &texts = TextsOf(L);
    lProduct->setText(Text(Version.ProductName));
    QString versionLine = QStringLiteral("%1 %2").arg(QString::fromUtf8(texts.Version), Text(Version.FileVersion));
    if (Version.DebugBuild)
        versionLine += QStringLiteral(" DEBUG");
    lVer->setText(versionLine);
    lEmail->setText(LinkCaption(AuthorEmailLink));
    lWWW->setText(LinkCaption(HomepageLink));
    lCR->setText(Text(Version.Copyright));
    lDesc->setText(Text(Version.Comments.empty() ? Version.Description : Version.Comments));
    setWindowTitle(QStringLiteral("%1....").arg(QString::fromUtf8(texts.About)));
    mLic->setPlainText(QString::fromUtf8(texts.Licence));
    mLic->moveCursor(QTextCursor::Start);
}

void TdlgAbout::reject()
{
    // OK is the cancel button too: Escape closes with the result OK.
    accept();
}

void TdlgAbout::cmEmail()
{
    OpenLink(AuthorEmailLink);
}

void TdlgAbout::cmHomepage()
{
    OpenLink(HomepageLink);
}

void ShowAbout(TLanguage L, QWidget *Owner)
{
    auto *dialog = new TdlgAbout(Owner);
    dialog->Fill(L, ProcessVersionInfo());
    RunOwnedModal(dialog);
}
