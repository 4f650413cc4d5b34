#include "TInteracaoJanela.h"

#include <QApplication>
#include <QMessageBox>

TInteracaoJanela::TInteracaoJanela(QWidget *janela) : m_janela(janela) {}

QWidget *TInteracaoJanela::pai() const {
    if (QWidget *ativa = QApplication::activeModalWidget()) return ativa;
    if (QWidget *ativa = QApplication::activeWindow()) return ativa;
    return m_janela;
}

void TInteracaoJanela::Mensagem(const QString &texto) {
    // A message is never answered under the hourglass: the box must look
    // like it waits for the user, whatever the caller is in the middle of.
    const bool espera = QApplication::overrideCursor() != nullptr;
    if (espera) QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox::information(pai(), QApplication::applicationName(), texto);
    if (espera) QApplication::restoreOverrideCursor();
}

bool TInteracaoJanela::Confirmar(const QString &texto) {
    const bool espera = QApplication::overrideCursor() != nullptr;
    if (espera) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto resposta =
        QMessageBox::question(pai(), QApplication::applicationName(), texto,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (espera) QApplication::restoreOverrideCursor();
    return resposta == QMessageBox::Yes;
}

void TInteracaoJanela::Bipe() {
    QApplication::beep();
}
