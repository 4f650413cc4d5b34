#include "TOfertaRecuperacao.h"

#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "recording/TRecuperacao.h"

namespace {

const QString kSecao = QStringLiteral("UnitMain");

} // namespace

QStringList TOfertaRecuperacao::PastasDeTodos() const {
    QStringList r;
    for (const QString &u : TUsuario::ListarUsuarios(m_dados))
        r << TUsuario::PastaDoUsuario(m_dados, u);
    return r;
}

int TOfertaRecuperacao::Oferecer(const QStringList &pastasUsuario, const QString &arquivoIdioma,
                                 TInteracao &interacao) {
    auto texto = [&](int n) {
        return TIdioma::Ler(arquivoIdioma, kSecao,
                            QStringLiteral("TFormMainRecuperacaoMessage%1").arg(n));
    };
    int perguntas = 0;
    for (const QString &pasta : pastasUsuario) {
        TRecuperacao::ConcluirPendentes(pasta);
        for (const QString &diario : TRecuperacao::DiariosDoUsuario(pasta)) {
            if (m_vistos.contains(diario)) continue;
            TRecuperacao r(m_dados, diario);
            const TRecuperacao::Situacao s = r.Ler();
            // A live session's journal is no question: it is asked about
            // once that session has stopped.
            if (s == TRecuperacao::EmUso) continue;
            m_vistos.insert(diario);
            if (s == TRecuperacao::Danificado) {
                interacao.Mensagem(texto(4) + QLatin1Char('\n') + r.Problema());
                continue;
            }
            ++perguntas;
            if (!interacao.Confirmar(r.Descrever(texto(1)))) continue;
            const TResultadoGravacao g = r.Salvar();
            if (g.Ok())
                interacao.Mensagem(texto(2) + QLatin1Char('\n') +
                                   g.gravados.join(QLatin1Char('\n')));
            else
                interacao.Mensagem(texto(3) + QLatin1Char('\n') + diario + QLatin1Char('\n') +
                                   g.erro);
        }
    }
    return perguntas;
}
