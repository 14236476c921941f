// Feeds arbitrary bytes to the RTF reader and checks, besides the absence of
// crashes, leaks and undefined behaviour, the round trip of
// RtfRoundTripFault; the same bytes, as UTF-8 and as UTF-16 text, are font
// names for the writer's round trip of RtfFontNameFault.
// tests/output/tst_fuzzfindings runs the same checks over the corpus and the
// findings in the ordinary test suite.

#include "output/rtfroundtripcheck.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_rtfreader";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    QString utf16(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size_t(utf16.size()) * 2);
    for (const QString &fault : {quadrivium::RtfRoundTripFault(input),
                                 quadrivium::RtfFontNameFault(QString::fromUtf8(input)),
                                 quadrivium::RtfFontNameFault(utf16)}) {
        if (!fault.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(fault));
            std::abort();
        }
    }
    return 0;
}
