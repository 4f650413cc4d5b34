#include "Catalogo.h"

#include "core/Cp1252.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TExperimento.h"

#include <QSet>

namespace Catalogo {

QString Nome(int n) {
    return QStringLiteral("Comp%1").arg(n);
}

int Numero(const QString &compTipo) {
    for (int n = 1; n <= Quantidade; ++n)
        if (compTipo == Nome(n)) return n;
    return 0;
}

void Carregar(const QString &arquivoPerfil, int n, TExperimento &e) {
    const TArquivoIni ini(arquivoPerfil);
    e.Comp[0] = Nome(n);
    for (int k = 1; k <= Letras; ++k)
        e.Comp[k] = ini.ReadString(e.Comp[0], QString::number(k), QString());
}

QString Normalizar(const QString &texto, int *posicao) {
    QString limpo;
    int antes = 0;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        QString parte;
        if (c.isPrint() && Cp1252::representavel(c) &&
            !(c == QLatin1Char('=') && limpo.isEmpty())) {
            // "ß" becomes "SS", "µ" (whose capital is Greek) stays.
            parte = QString(c).toUpper();
            if (!Cp1252::representavel(parte)) parte = c;
        }
        limpo += parte;
        if (posicao && i < *posicao) antes += parte.size();
    }
    if (posicao) *posicao = antes;
    return limpo;
}

TResultado Salvar(const QString &arquivoPerfil, TExperimento &e, int n,
                  const QMap<int, QString> &marcados, QString *nome) {
    if (n < 1 || n > Quantidade) return TResultado::SemCatalogo;
    QMap<int, QString> nomes;
    QSet<QString> vistos;
    for (auto it = marcados.cbegin(); it != marcados.cend(); ++it) {
        if (it.key() < 1 || it.key() > Letras) continue;
        const QString texto = Normalizar(it.value());
        if (nome) *nome = texto;
        if (texto == QLatin1String("ENTRADA")) return TResultado::NomeReservado;
        // An empty name is no behaviour (nothing is recorded under it).
        if (!texto.isEmpty() && vistos.contains(texto)) return TResultado::NomeRepetido;
        vistos.insert(texto);
        nomes.insert(it.key(), texto);
    }
    if (nome) nome->clear();
    Perfil::SalvarComportamentos(arquivoPerfil, e.Nome, Nome(n), nomes);
    e.Comp[0] = Nome(n);
    for (int k = 1; k <= Letras; ++k)
        e.Comp[k] = nomes.value(k);
    if (e.Configurado) e.Carregar(arquivoPerfil, e.Nome);
    return TResultado::Salvo;
}

} // namespace Catalogo
