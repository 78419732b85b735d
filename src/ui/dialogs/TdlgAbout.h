#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TLinkLabel;
class TWindowDragArea;
struct TVersionInfo;

// The languages of the About box's texts. The program always opens it in lngEn.
enum class TLanguage { lngEn, lngCz };

// The borderless About box: the program's icon, name, version, copyright and description from a
// version record, a short licence notice and two links. Dragged by its white top area; OK or Escape
// closes it.
class TdlgAbout final : public QDialog {
    Q_OBJECT

public:
    explicit TdlgAbout(QWidget *Owner = nullptr);

    void Fill(TLanguage L, const TVersionInfo &Version);

    TLanguage FLang = TLanguage::lngEn;

protected:
    void reject() override;

private:
    void FormCreate();
    void cmEmail();
    void cmHomepage();

    TWindowDragArea *Panel2;
    QLabel *Icon;
    QLabel *lProduct;
    QLabel *lVer;
    QLabel *lCR;
    QLabel *lDesc;
    QLabel *Image1;
    QWidget *Panel1;
    QPlainTextEdit *mLic;
    TLinkLabel *lEmail;
    TLinkLabel *lWWW;
    QWidget *Panel3;
    QPushButton *Button2;
};

// Creates the About box owned by Owner, fills it from the process's version record, shows it modally
// and frees it. Callers hold a TTopMostSuspension meanwhile.
void ShowAbout(TLanguage L, QWidget *Owner);
