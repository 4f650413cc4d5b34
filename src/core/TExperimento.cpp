#include "TExperimento.h"

#include "TDocumentoIni.h"

void TExperimento::Carregar(const QString &arquivoPerfil, const QString &nome) {
    // The profile is read once; every key below comes from memory.
    Carregar(TDocumentoIni(arquivoPerfil), nome);
}

void TExperimento::Carregar(const TDocumentoIni &ini, const QString &nome) {
    Status.Limpar();
    Nome = nome;

    Configurado = ini.ReadBool(nome, QStringLiteral("Configurado"), false);
    Labirinto = ini.ReadString(nome, QStringLiteral("Labirinto"), QString());
    Comp[0] = ini.ReadString(nome, QStringLiteral("CompTipo"), QString());
    QdeInicios = ini.ReadInteger(nome, QStringLiteral("QdeInicios"), 1);
    // A length that is there but no 32-bit number must not become the
    // default's 300 s: 0 is a length every session refuses.
    const QString tempo = ini.ReadString(nome, QStringLiteral("TempoSecao"), QString());
    TempoSecao =
        tempo.trimmed().isEmpty() ? 300 : ini.ReadInteger(nome, QStringLiteral("TempoSecao"), 0);
    DivisoesDaSecao = ini.ReadInteger(nome, QStringLiteral("DivisoesDaSecao"), 10);
    Distancia = ini.ReadInteger(nome, QStringLiteral("Distancia"), 10);
    InicioX1 = ini.ReadInteger(nome, QStringLiteral("InicioX1"), 0);
    InicioY1 = ini.ReadInteger(nome, QStringLiteral("InicioY1"), 0);
    InicioX2 = ini.ReadInteger(nome, QStringLiteral("InicioX2"), 0);
    InicioY2 = ini.ReadInteger(nome, QStringLiteral("InicioY2"), 0);
    ComecoQueda = ini.ReadInteger(nome, QStringLiteral("ComecoQueda"), 0);

    // Without a behaviour list the names of the previous experiment must not
    // survive: the experiment has no behaviours.
    for (int n = 1; n <= 26; ++n) {
        Comp[n] =
            Comp[0].isEmpty() ? QString() : ini.ReadString(Comp[0], QString::number(n), QString());
        if (!Comp[n].isEmpty()) Status.Adicionar(Comp[n], static_cast<quint16>(64 + n));
    }
}
