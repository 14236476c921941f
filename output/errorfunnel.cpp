#include "errorfunnel.h"

#include "store/connection.h"

#include <QMessageBox>

#include <exception>

namespace quadrivium {

namespace {
QString &lastError()
{
    static QString text;
    return text;
}
} // namespace

void ShowError(QWidget *parent, const QString &message)
{
    lastError() = message;
    QMessageBox::critical(parent, QStringLiteral("Error"), message);
}

bool RunGuarded(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const DatabaseError &e) {
        ShowError(parent, e.message());
    } catch (const std::exception &e) {
        ShowError(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

QString LastShownError()
{
    return lastError();
}

} // namespace quadrivium
