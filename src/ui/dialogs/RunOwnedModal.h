#pragma once

#include <QDialog>
#include <QPointer>

// Runs a dialog created on the heap modally and frees it. The dialog's owner may be destroyed while
// it runs (the owner then frees the dialog), so it is freed only when still alive.
inline void RunOwnedModal(QDialog *Dialog)
{
    const QPointer<QDialog> alive = Dialog;
    Dialog->exec();
    delete alive.data();
}
