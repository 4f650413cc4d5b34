#include "TEntradaTeclas.h"

#include "recording/TSessao.h"

#include <QList>
#include <QtCore/qnamespace.h>

#include <algorithm>

namespace {

bool letra(int tecla) {
    return tecla >= Qt::Key_A && tecla <= Qt::Key_Z;
}

} // namespace

bool TEntradaTeclas::Toma(int tecla) const {
    if (tecla == Qt::Key_F5) return true;
    switch (m_sessao.EstadoAtual()) {
    case TSessao::Estado::Pronta:
    case TSessao::Estado::Gravando:
    case TSessao::Estado::Pausada:
        return true;
    default:
        return false;
    }
}

bool TEntradaTeclas::Pressionada(int tecla, const QString &texto, bool repeticao) {
    if (!Toma(tecla)) return false;
    if (repeticao) return true;
    // Esc by its code: not every platform gives it a character.
    if (tecla == Qt::Key_Escape) {
        m_sessao.TeclaPressionada(QChar(27));
        return true;
    }
    if (texto.size() == 1 && texto.at(0) >= QLatin1Char('1') && texto.at(0) <= QLatin1Char('9')) {
        m_sessao.TeclaPressionada(texto.at(0));
        return true;
    }
    if (letra(tecla)) m_seguradas.insert(tecla);
    if (letra(tecla) || tecla == Qt::Key_F5 || tecla == Qt::Key_Left || tecla == Qt::Key_Up ||
        tecla == Qt::Key_Right || tecla == Qt::Key_Down)
        m_sessao.TeclaAbaixada(tecla);
    return true;
}

bool TEntradaTeclas::Liberada(int tecla, bool repeticao) {
    if (!Toma(tecla) && !m_seguradas.contains(tecla)) return false;
    if (repeticao) return true;
    // A letter whose bout FocoPerdido ended is not held any more: its late
    // key-up changes nothing.
    if (m_seguradas.remove(tecla)) m_sessao.TeclaLiberada(tecla);
    return true;
}

void TEntradaTeclas::FocoPerdido() {
    // In letter order, which is the order of the behaviour table: the rows
    // come out the same whatever order the keys went down in.
    QList<int> seguradas = m_seguradas.values();
    m_seguradas.clear();
    std::sort(seguradas.begin(), seguradas.end());
    for (int tecla : seguradas)
        m_sessao.TeclaLiberada(tecla);
}
