#pragma once

#include "MeterFormatSettings.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TImageList;
struct TAdapter;

// The properties of one interface: its name, its picture and eight device properties. A plain
// modal display of the adapter record it is given; it changes nothing.
class Tdlg_vx_AdapterInfo final : public QDialog {
    Q_OBJECT

public:
    // ilIntf32 must outlive the dialog.
    Tdlg_vx_AdapterInfo(const TImageList &ilIntf32, QWidget *Owner = nullptr);

    // Shows A. Numbers use the separators of Settings (the user's locale unless a test says otherwise).
    void Fill(const TAdapter &A, const TMeterFormatSettings &Settings = TMeterFormatSettings::System());

protected:
    void reject() override;
    void showEvent(QShowEvent *Event) override;

private:
    void FormCreate();
    QLabel *AddValue(QGridLayout &Grid, const QString &Caption, const char *Name);
    // Draws the picture for the screen the dialog is on.
    void ShowImage();

    const TImageList &FImages;
    int FImageIndex = 0;

    QPushButton *OkButton;
    QTabWidget *pc;
    QWidget *TabSheet1;
    QLabel *Image1;
    QLineEdit *eName;
    QLabel *eAlias = nullptr;
    QLabel *eMS = nullptr;
    QLabel *eMTU = nullptr;
    QLabel *eMAC = nullptr;
    QLabel *eIP = nullptr;
    QLabel *eMask = nullptr;
    QLabel *eType = nullptr;
    QLabel *eStatus = nullptr;
};

// Creates the dialog owned by Owner, shows A in it modally and frees it when it closes. Callers hold a
// TTopMostSuspension meanwhile, so that an always-on-top owner cannot cover the dialog.
void ShowAdapterProperties(const TAdapter &A, const TImageList &ilIntf32, QWidget *Owner);
