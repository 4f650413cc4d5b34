#include "TNovoExperimento.h"

#include "Experimentos.h"

#include "core/Perfil.h"
#include "core/TErro.h"
#include "core/TUsuario.h"

TNovoExperimento::TNovoExperimento(TUsuario &usuario) : m_usuario(usuario) {}

TNovoExperimento::TRegistro TNovoExperimento::Registrar(const QString &nome, QString *erro) {
    auto recusar = [erro](TRegistro r, const QString &motivo) {
        if (erro) *erro = motivo;
        return r;
    };
    if (m_etapa != Nomeando) return recusar(TRegistro::Recusado, QString());
    if (nome.isEmpty() || Experimentos::EmUso(m_usuario.Arquivo, nome))
        return TRegistro::VazioOuEmUso;
    const QString problema = Perfil::ProblemaNomeExperimento(nome);
    if (!problema.isEmpty()) return recusar(TRegistro::Recusado, problema);
    try {
        Perfil::CriarExperimento(m_usuario.Arquivo, m_usuario.Pasta, nome);
    } catch (const TErro &e) {
        return recusar(TRegistro::Falhou, e.mensagem());
    }
    m_nome = nome;
    m_etapa = Configurando;
    m_usuario.Experimento.Carregar(m_usuario.Arquivo, nome);
    return TRegistro::Registrado;
}

Configuracao::TResultado TNovoExperimento::Salvar(const Configuracao::TValores &valores) {
    if (m_etapa != Configurando) return Configuracao::TResultado::SemLabirinto;
    return Configuracao::Salvar(m_usuario, m_nome, valores);
}
