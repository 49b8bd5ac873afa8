// Feeds arbitrary bytes to the project file reader. Whatever it accepts must write back bit for bit
// (the first 56 bytes), read back to the same inputs, and solve without a fault. A project block it
// reads after the inputs must write and read back to the same fields. (The solve fills every
// result row; the copy and window-shading commands are left out to keep each run short.)
#include "app/ProjectFile.h"
#include "app/TCalcDocument.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***) {

    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TInputSet inputs = ResetInputSet();
    if (!ReadProjectInputs(in, inputs)) return 0;

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!WriteProjectInputs(out, inputs)) std::abort(); // accepted values must be writable
    if (written != bytes.left(ProjectFileSize)) std::abort();
    out.close();
    out.open(QIODevice::ReadOnly);
    TInputSet again = ResetInputSet();
    if (!ReadProjectInputs(out, again) || std::memcmp(&again, &inputs, sizeof inputs) != 0) std::abort();

    TProjectInfo info;
    if (DecodeProjectSection(bytes.mid(ProjectFileSize), info) == psRead) {
        TProjectInfo again;
        const QByteArray block = EncodeProjectSection(info);
        if (!info.IsEmpty() && (DecodeProjectSection(block, again) != psRead || !(again == info)))
            std::abort();
    }

    TCalcDocument doc;
    doc.ApplyInputs(inputs);
    doc.Solve();
    return 0;
}
