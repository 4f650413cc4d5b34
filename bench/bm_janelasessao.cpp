// Measures the session window at 1024 x 768 during a recording: for 10,000
// moves, the time from the key event to the row in the engine, and to the
// picture repainted (the window's pending paint done). Prints the median
// and the worst. Not a unit test: run by hand, with QT_QPA_PLATFORM=offscreen
// where there is no display.
#include "BancadaSessao.h"
#include "recording/TRelogioQt.h"
#include "recording/TSessao.h"
#include "recording/forms/TFormLabirinto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void tecla(QWidget *w, int codigo, const QString &texto) {
    QKeyEvent desce(QEvent::KeyPress, codigo, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &desce);
    QKeyEvent sobe(QEvent::KeyRelease, codigo, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &sobe);
}

void resumo(const char *nome, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-28s median %8.1f us   worst %8.1f us\n", nome, v[v.size() / 2], v.back());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    BancadaSessao b("[CRUZ (5)]\r\nQuadradosEmX=11\r\nQuadradosEmY=11\r\nMascaraX=6\r\n"
                    "MascaraY=6\r\nBracoQuadrante1=1\r\nBracoQuadrante2=0\r\n"
                    "BracoQuadrante3=1\r\nBracoQuadrante4=0\r\nComprimentoDoBraco=5\r\n"
                    "TemQuadradoCentral=1\r\nTemCentro=1\r\nDesloca=1\r\n",
                    "Labirinto=CRUZ (5)\r\nQdeInicios=1\r\nTempoSecao=9990\r\n"
                    "InicioX1=6\r\nInicioY1=6\r\nComecoQueda=3\r\nCompTipo=Comp1\r\n"
                    "[Comp1]\r\n1=Limpeza\r\n");
    TRelogioQt relogio;
    TSessao sessao(b.usuario, b.labirinto, b.interacao, relogio);

    TFormLabirinto janela(sessao, &b.interacao);
    janela.show();
    janela.resize(QSize(1024, 768) - (janela.frameGeometry().size() - janela.size()));
    janela.Abrir();
    app.processEvents();
    auto *nome = janela.findChild<QLineEdit *>(QStringLiteral("LabeledEditNome"));
    nome->setText(QStringLiteral("rato1"));
    tecla(nome, Qt::Key_Return, QStringLiteral("\r"));
    tecla(&janela, Qt::Key_5, QStringLiteral("5"));
    tecla(&janela, Qt::Key_A, QStringLiteral("a")); // a behaviour cut at every move
    app.processEvents();

    const int n = 10000;
    std::vector<double> linha, imagem;
    linha.reserve(n);
    imagem.reserve(n);
    QElapsedTimer c;
    qint64 tLinha = 0;
    QObject::connect(&sessao, &TSessao::QuadradoPintado, [&] {
        if (tLinha == 0) tLinha = c.nsecsElapsed();
    });
    // Counts the picture's paints, to be sure each move repainted.
    struct Contador : QObject {
        int pinturas = 0;
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Paint) ++pinturas;
            return false;
        }
    } contador;
    janela.findChild<QWidget *>(QStringLiteral("Image"))->installEventFilter(&contador);
    const TRegistro &entradas = sessao.Gravacao().RegistroEntradas;
    for (int i = 0; i < n; ++i) {
        const bool sobe = (i / 5) % 2 == 0; // five squares up, five down
        const int antes = entradas.Qde;
        tLinha = 0;
        c.start();
        QKeyEvent desce(QEvent::KeyPress, sobe ? Qt::Key_8 : Qt::Key_2, Qt::NoModifier,
                        sobe ? QStringLiteral("8") : QStringLiteral("2"));
        QApplication::sendEvent(&janela, &desce);
        app.processEvents(); // the repaint of the two squares
        const qint64 tImagem = c.nsecsElapsed();
        QKeyEvent sobeTecla(QEvent::KeyRelease, desce.key(), Qt::NoModifier, desce.text());
        QApplication::sendEvent(&janela, &sobeTecla);
        if (contador.pinturas != i + 1) {
            std::printf("move %d was not repainted\n", i);
            return 1;
        }
        if (entradas.Qde != antes + 1) {
            std::printf("move %d recorded no row\n", i);
            return 1;
        }
        linha.push_back(tLinha / 1000.0);
        imagem.push_back(tImagem / 1000.0);
    }
    std::printf("%d moves at 1024 x 768 (picture %d px):\n", n,
                janela.findChild<QWidget *>(QStringLiteral("Image"))->width());
    resumo("key press -> row", linha);
    resumo("key press -> picture", imagem);
    return 0;
}
