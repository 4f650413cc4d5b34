#include "Configuracao.h"

#include "core/BibliotecaLabirintos.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

namespace Configuracao {

QStringList Labirintos(const TUsuario &usuario) {
    return BibliotecaLabirintos::ListarLabirintos(usuario.ArquivoLabirintos);
}

TResultado Salvar(TUsuario &usuario, const QString &nome, const TValores &valores) {
    if (valores.Labirinto.isEmpty()) return TResultado::SemLabirinto;
    TExperimento &e = usuario.Experimento;
    e.Carregar(usuario.Arquivo, nome);
    TExperimento novo = e;
    novo.Configurado = true;
    novo.Labirinto = valores.Labirinto;
    novo.Distancia = Distancia.Limitar(valores.Distancia);
    novo.TempoSecao = Duracao.Limitar(valores.Duracao);
    novo.QdeInicios = valores.Inicios == 2 ? 2 : 1;
    Perfil::SalvarConfiguracoes(usuario.Arquivo, novo);
    e.Carregar(usuario.Arquivo, nome);
    return TResultado::Salvo;
}

TResumo Resumo(const TExperimento &e) {
    TResumo r;
    r.Labirinto = e.Labirinto;
    r.Distancia = QString::number(e.Distancia);
    r.Duracao = QString::number(e.TempoSecao);
    r.Inicios = QString::number(e.QdeInicios);
    r.Padrao = e.Comp[0].mid(4);
    if (e.Configurado)
        for (int n = 1; n <= 26; ++n)
            if (!e.Comp[n].isEmpty())
                r.Comportamentos.append({QString(QChar(64 + n)), e.Comp[n]});
    return r;
}

} // namespace Configuracao
