#pragma once

// A data directory for recording tests: the shipped maze library, a language
// file whose every text of the session window is its own key (so tests see
// which message was shown), and user "ana" with experiment "exp".

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"

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
              "TFormLabirintoSpeedButtonConfirmarClickMessage2", "TFormLabirintoTimerTimerMessage1",
              "TFormLabirintoTimerTimerMessage2", "TFormLabirintoTimerTimerMessage3",
              "TFormLabirintoTimerTimerMessage4", "TFormLabirintoFormCreateMessage1",
              "FormMainStatusBar1PanelsItems0Text", "FormMainStatusBar1PanelsItems1TextON",
              "FormMainStatusBar1PanelsItems1TextOFF"})
            idioma += QByteArray(k) + '=' + k + "\r\n";
        Arquivos::gravarAtomico(dados + "idiomas/portugues.ini", idioma);
        Arquivos::gravarAtomico(dados + "idiomas/idioma.ini", "[idioma]\r\nlingua=0\r\n");
        // Letters A to D: four behaviours, the last with an accented name.
        Arquivos::gravarAtomico(
            perfil(), Cp1252::codificar(QStringLiteral("[Experimentos]\r\nQdeExp=1\r\n1=exp\r\n"
                                                       "[Comp1]\r\n1=Limpeza\r\n2=Levantar\r\n"
                                                       "3=Farejar\r\n4=Coçar\r\n")));
        configurar(1, 300, 6, 6, 0, 0, 3);
    }

    QString perfil() const { return dados + QStringLiteral("usuarios/ana.ini"); }
    QString pasta() const { return dados + QStringLiteral("usuarios/ana/exp/"); }

    // CRUZ (5): 11 x 11, arms on column F and row 6, centre F6.
    void configurar(int qdeInicios, int tempo, int x1, int y1, int x2, int y2, int comecoQueda,
                    const QString &labirinto = QStringLiteral("CRUZ (5)")) {
        TArquivoIni ini(perfil());
        ini.WriteString("exp", "Labirinto", labirinto);
        ini.WriteString("exp", "CompTipo", "Comp1");
        const QList<std::pair<const char *, int>> valores = {
            {"Configurado", 1}, {"QdeInicios", qdeInicios}, {"TempoSecao", tempo},
            {"Distancia", 25},  {"InicioX1", x1},           {"InicioY1", y1},
            {"InicioX2", x2},   {"InicioY2", y2},           {"ComecoQueda", comecoQueda}};
        for (const auto &[chave, valor] : valores)
            ini.WriteInteger("exp", chave, valor);
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
