// Feeds arbitrary bytes to the settings-file reader and writer: nothing may
// crash, and a value just written must read back.
#include "core/TArquivoIni.h"
#include "core/TErro.h"

#include <QFile>
#include <QString>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString caminho =
        QStringLiteral("/tmp/fz_arquivoini_%1.ini").arg(static_cast<qlonglong>(getpid()));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    TArquivoIni ini(caminho);
    // Section and key names taken from the input itself reach the odd paths.
    const QString s = QString::fromLatin1(reinterpret_cast<const char *>(data),
                                          static_cast<int>(size < 8 ? size : 8));
    ini.ReadString(s, s, QStringLiteral("d"));
    ini.ReadInteger(QStringLiteral("S"), QStringLiteral("k"), 3);
    ini.ReadBool(s, QStringLiteral("k"), true);
    ini.SectionExists(s);
    ini.ReadSection(s);
    try {
        ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("chave"), QStringLiteral("valor"));
        if (ini.ReadString(QStringLiteral("fuzz"), QStringLiteral("CHAVE"), QString()) !=
            QStringLiteral("valor"))
            __builtin_trap();
        ini.DeleteKey(s, s);
        ini.EraseSection(QStringLiteral("Fuzz"));
        if (ini.SectionExists(QStringLiteral("Fuzz")))
            __builtin_trap();
    } catch (const TErro &) {
    }
    return 0;
}
