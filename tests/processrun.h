#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

/// What a finished program gave: its exit status (-1 when it crashed or ran
/// past a minute) and its standard output.
struct Run {
    int exitCode = -1;
    QString out;
};

inline Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    return result;
}
