#include "ShowException.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

TShowExceptionHandler &Handler()
{
    static TShowExceptionHandler handler;
    return handler;
}

} // namespace

void ShowException(const std::exception &AError)
{
    const QString message = QString::fromUtf8(AError.what());
    if (Handler())
        Handler()(message);
    else
        QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(), message);
}

TShowExceptionHandler SetShowExceptionHandler(TShowExceptionHandler AHandler)
{
    return std::exchange(Handler(), std::move(AHandler));
}
