#include "TForm.h"

#include "FormWindowState.h"

TForm::TForm(QWidget *parent) : QWidget(parent, Qt::Window) {}

int TForm::GetWindowState() const
{
    return FormWindowState(*this);
}

void TForm::SetWindowState(int AValue)
{
    ApplyFormWindowState(*this, AValue);
}

int TForm::GetFormStyle() const
{
    return FormStyle(*this);
}

void TForm::SetFormStyle(int AValue)
{
    ApplyFormStyle(*this, AValue);
}
