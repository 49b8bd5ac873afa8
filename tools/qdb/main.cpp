// qdb: builds the sample location database from CSV sources, and prints a record file as CSV.
//   qdb build SOURCE_FOLDER OUTPUT_FOLDER   exit 2 when a source is refused, 1 when writing fails
//   qdb dump FILE.qdb                       exit 1 when the file cannot be read or the output written
#include "QdbSources.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int Usage() {
    Print(stderr, QStringLiteral("usage: qdb build SOURCE_FOLDER OUTPUT_FOLDER\n       qdb dump FILE.qdb\n"));
    return 2;
}

int Build(const QString& sources, const QString& output) {
    std::vector<QdbDatabase> databases;
    QStringList errors;
    QString error;
    if (!ReadQdbSources(sources, databases, errors)) {
        Print(stderr, errors.join(u'\n') + u'\n');
        return 2;
    }
    if (!WriteQdbDatabase(databases, output, error)) {
        Print(stderr, error + u'\n');
        return 1;
    }
    return 0;
}

int Dump(const QString& path) {
    QFile out;
    QString error;
    // Unbuffered: the dump writes large blocks itself, and a failed write shows at once.
    if (!out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        Print(stderr, QStringLiteral("cannot write the output: %1\n").arg(out.errorString()));
        return 1;
    }
    if (!DumpQdbFile(path, out, error)) {
        Print(stderr, error + u'\n');
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("build")) return Build(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("dump")) return Dump(args[1]);
    return Usage();
}
