#pragma once

// A data directory for recording tests: the shipped maze library, a language
// file whose every text of the session window is its own key (so tests see
// which message was shown), and user "ana" with experiment "exp".

#include "core/Arquivos.h"
#include "core/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

struct AmbienteSessao {
    QTemporaryDir tmp;
    QString dados; // ends with "/"

    AmbienteSessao() : dados(tmp.path() + QLatin1Char('/')) {
        QDir(dados).mkpath(QStringLiteral("usuarios/ana/exp"));
        QDir(dados).mkpath(QStringLiteral("idiomas"));
        QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini"), dados + "Labirintos.ini");
        QByteArray idioma = "[UnitLabirinto]\r\n";
        for (const char *k :
             {"TFormLabirintoBitBtnOKClickMessage1",
              "TFormLabirintoSpeedButtonConfirmarClickMessage1",
              "TFormLabirintoSpeedButtonConfirmarClickMessage2",
              "TFormLabirintoSpeedButtonConfirmarClickMessage3", "TFormLabirintoTimerTimerMessage1",
              "TFormLabirintoTimerTimerMessage2", "TFormLabirintoTimerTimerMessage3",
              "TFormLabirintoTimerTimerMessage4", "TFormLabirintoFormCreateMessage1",
              "FormMainStatusBar1PanelsItems0Text", "FormMainStatusBar1PanelsItems1TextON",
              "FormMainStatusBar1PanelsItems1TextOFF"})
            idioma += QByteArray(k) + '=' + k + "\r\n";
        Arquivos::gravarAtomico(dados + "idiomas/portugues.ini", idioma);
        Arquivos::gravarAtomico(dados + "idiomas/idioma.ini", "[idioma]\r\nlingua=0\r\n");
        configurar(1, 300, 6, 6, 0, 0, 3);
    }

    QString perfil() const { return dados + QStringLiteral("usuarios/ana.ini"); }
    QString pasta() const { return dados + QStringLiteral("usuarios/ana/exp/"); }

    // Experiment "exp" on CRUZ (5) (11 x 11, arms on column F and row 6,
    // centre F6) with letters A to D: four behaviours, the last accented.
    void configurar(int qdeInicios, int tempo, int x1, int y1, int x2, int y2, int comecoQueda,
                    const QString &labirinto = QStringLiteral("CRUZ (5)")) {
        const QString perfil = QString::asprintf(
            "[Experimentos]\r\nQdeExp=1\r\n1=exp\r\n[exp]\r\nConfigurado=1\r\nLabirinto=%s\r\n"
            "CompTipo=Comp1\r\nQdeInicios=%d\r\nTempoSecao=%d\r\nDistancia=25\r\nInicioX1=%d\r\n"
            "InicioY1=%d\r\nInicioX2=%d\r\nInicioY2=%d\r\nComecoQueda=%d\r\n[Comp1]\r\n"
            "1=Limpeza\r\n2=Levantar\r\n3=Farejar\r\n4=Coçar\r\n",
            qUtf8Printable(labirinto), qdeInicios, tempo, x1, y1, x2, y2, comecoQueda);
        Arquivos::gravarAtomico(this->perfil(), Cp1252::codificar(perfil));
    }

    // Lines of a text file (Windows-1252, any line end).
    static QStringList linhas(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        QStringList r;
        for (const QByteArray &l : Arquivos::dividirLinhas(b))
            r << Cp1252::decodificar(l);
        return r;
    }
    // The rows of a record file, header left out.
    static QStringList linhasRegistro(const QString &caminho) { return linhas(caminho).mid(10); }
};
