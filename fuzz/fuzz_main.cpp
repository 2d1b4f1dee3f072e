// One fuzzer program: LEDRA_FUZZ_TARGET names the target function.

#include "fuzz_targets.h"
#include "ui/resources_init.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The entry window needs widgets and a clipboard: no screen required.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    InitLedraResources(); // the windows' pictures

    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    LEDRA_FUZZ_TARGET(
        QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    return 0;
}
