#include "app/TInstalacao.h"
#include "app/forms/TFormMain.h"
#include "core/forms/TInteracaoJanela.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevalin"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.0"));
    // One look on every desktop, whatever theme (if any) it has.
    if (QStyle *estilo = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(estilo);

    TInteracaoJanela interacao;
    const QString diretorio = TInstalacao::PrepararDiretorio(&interacao);

    TFormMain principal(diretorio, &interacao);
    interacao.DefinirJanela(&principal);
    // Maximising is the window manager's job; without one (a bare virtual
    // display) the window still covers the screen.
    if (QScreen *tela = QApplication::primaryScreen())
        principal.setGeometry(tela->availableGeometry());
    principal.showMaximized();
    principal.AbrirInicio();
    // Recordings that stopped (a crash, a power cut) are offered before
    // anything else is done.
    principal.OferecerRecuperacao();
    return app.exec();
}
