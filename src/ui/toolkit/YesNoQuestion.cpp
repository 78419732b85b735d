#include "YesNoQuestion.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace {

TYesNoQuestionHandler &Handler()
{
    static TYesNoQuestionHandler handler;
    return handler;
}

} // namespace

bool AskYesNo(const QString &AText, const QString &ACaption, QWidget *fallbackOwner)
{
    QWidget *owner = QApplication::activeWindow();
    if (owner == nullptr && fallbackOwner != nullptr)
        owner = fallbackOwner->window();
    if (Handler())
        return Handler()(owner, AText, ACaption);
    QMessageBox box(QMessageBox::Question, ACaption, AText, QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

TYesNoQuestionHandler SetYesNoQuestionHandler(TYesNoQuestionHandler AHandler)
{
    return std::exchange(Handler(), std::move(AHandler));
}
