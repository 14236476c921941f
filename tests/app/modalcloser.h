#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

/// Closes every modal window that appears and notes its class and text
/// (a message box as "QMessageBox: <text>").
class ModalCloser : public QObject {
public:
    ModalCloser()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w)
                return;
            QString text = QString::fromLatin1(w->metaObject()->className());
            if (auto *box = qobject_cast<QMessageBox *>(w))
                text += QStringLiteral(": ") + box->text();
            seen << text;
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
            else
                w->close();
        });
        m_timer.start();
    }
    QStringList seen;

private:
    QTimer m_timer;
};
