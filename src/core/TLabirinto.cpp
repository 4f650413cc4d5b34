#include "TLabirinto.h"

#include "Arquivos.h"
#include "TArquivoIni.h"
#include "TDocumentoIni.h"
#include "TInteracao.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Band edges are computed from library values that a hand-edited file may
// make absurd; 64-bit arithmetic and this bound keep them defined.
const qint64 kLimitePixels = 1000000;

int limitar(qint64 v) {
    return static_cast<int>(std::clamp(v, -kLimitePixels, kLimitePixels));
}

qint64 absoluto(qint64 v) { return v < 0 ? -v : v; }

int dentroDoLimite(int n) { return std::clamp(n, 0, TLabirinto::MaximoQuadrados); }

} // namespace

TLabirinto::TLabirinto(const QString &diretorio) : Diretorio(diretorio) {
    MontarGrade(QString());
}

QString TLabirinto::ArquivoLabirintos() const {
    return Arquivos::juntar(Diretorio, QStringLiteral("Labirintos.ini"));
}

bool TLabirinto::CarregarDoArquivo(const QString &nome, const QString &arquivoIdioma,
                                   TInteracao *interacao) {
    if (m_geometriaFixa) return true;
    const QString caminho = ArquivoLabirintos();
    if (!QFileInfo(caminho).isFile()) {
        if (interacao) {
            const TArquivoIni idioma(arquivoIdioma);
            interacao->Mensagem(idioma.ReadString(QStringLiteral("UnitUsuario"),
                                                  QStringLiteral("TLabirintoCarregarDoArquivo"),
                                                  QStringLiteral("ERRO")));
        }
        return false;
    }
    const TDocumentoIni ini(caminho);
    QuadradosEmX = ini.ReadInteger(nome, QStringLiteral("QuadradosEmX"), 0);
    QuadradosEmY = ini.ReadInteger(nome, QStringLiteral("QuadradosEmY"), 0);
    MascaraX = ini.ReadInteger(nome, QStringLiteral("MascaraX"), 7);
    MascaraY = ini.ReadInteger(nome, QStringLiteral("MascaraY"), 7);
    BracoQuadrante1 = ini.ReadInteger(nome, QStringLiteral("BracoQuadrante1"), 1);
    BracoQuadrante2 = ini.ReadInteger(nome, QStringLiteral("BracoQuadrante2"), 1);
    BracoQuadrante3 = ini.ReadInteger(nome, QStringLiteral("BracoQuadrante3"), 1);
    BracoQuadrante4 = ini.ReadInteger(nome, QStringLiteral("BracoQuadrante4"), 1);
    ComprimentoDoBraco = ini.ReadInteger(nome, QStringLiteral("ComprimentoDoBraco"), 6);
    TemQuadradoCentral = ini.ReadInteger(nome, QStringLiteral("TemQuadradoCentral"), 1);
    TemCentro = ini.ReadInteger(nome, QStringLiteral("TemCentro"), 1);
    Desloca = ini.ReadInteger(nome, QStringLiteral("Desloca"), 1);
    return true;
}

QByteArray TLabirinto::Geometria() const {
    QByteArray r;
    for (int v : {QuadradosEmX, QuadradosEmY, BracoQuadrante1, BracoQuadrante2, BracoQuadrante3,
                  BracoQuadrante4, ComprimentoDoBraco, TemQuadradoCentral, TemCentro, Desloca,
                  MascaraX, MascaraY})
        r += (r.isEmpty() ? "" : " ") + QByteArray::number(v);
    return r;
}

bool TLabirinto::FixarGeometria(const QByteArray &linha) {
    const QList<QByteArray> p = linha.split(' ');
    int v[12];
    if (p.size() != 12) return false;
    for (int k = 0; k < 12; ++k) {
        bool ok = false;
        v[k] = p[k].toInt(&ok);
        if (!ok) return false;
    }
    int *campos[] = {&QuadradosEmX,    &QuadradosEmY,       &BracoQuadrante1,    &BracoQuadrante2,
                     &BracoQuadrante3, &BracoQuadrante4,    &ComprimentoDoBraco, &TemQuadradoCentral,
                     &TemCentro,       &Desloca,            &MascaraX,           &MascaraY};
    for (int k = 0; k < 12; ++k)
        *campos[k] = v[k];
    m_geometriaFixa = true;
    return true;
}

bool TLabirinto::Desenhavel() const {
    return QuadradosEmX >= 1 && QuadradosEmX <= MaximoQuadrados && QuadradosEmY >= 1 &&
           QuadradosEmY <= MaximoQuadrados;
}

void TLabirinto::marcar(int coluna, int linha) {
    // Only squares inside the maze's own X by Y are marked: the border stays
    // 0 and a shape larger than its library entry (a T maze stored smaller
    // than 11 x 6, a cross whose arm row lies outside) is cut, never written
    // outside the array.
    if (coluna >= 1 && coluna + 1 < static_cast<int>(Grade.size()) && linha >= 1 &&
        linha + 1 < static_cast<int>(Grade[coluna].size()))
        Grade[coluna][linha] = 1;
}

void TLabirinto::MontarGrade(const QString &nome) {
    const int x = dentroDoLimite(QuadradosEmX);
    const int y = dentroDoLimite(QuadradosEmY);
    Grade.assign(x + 2, std::vector<quint8>(y + 2, 0));
    if (!Desenhavel())
        return;

    for (const QPoint &p : TFormaLabirinto(nome).Posicoes(x, y, TemCentro))
        marcar(p.x(), p.y());
}

bool TLabirinto::Existe(int coluna, int linha) const {
    if (coluna < 0 || linha < 0 || coluna >= static_cast<int>(Grade.size()))
        return false;
    const std::vector<quint8> &col = Grade[coluna];
    return linha < static_cast<int>(col.size()) && col[linha] != 0;
}

int TLabirinto::ArredondarPar(double valor) {
    if (std::isnan(valor))
        return 0;
    double inteiro = std::floor(valor);
    const double fracao = valor - inteiro;
    if (fracao > 0.5 || (fracao == 0.5 && std::fmod(inteiro, 2.0) != 0.0))
        inteiro += 1.0;
    if (inteiro >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (inteiro <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(inteiro);
}

bool TLabirinto::CalcularGeometria(int x, int y, int *s, int *x0, int *y0) {
    *s = *x0 = *y0 = 0;
    if (x < 1 || x > MaximoQuadrados || y < 1 || y > MaximoQuadrados)
        return false;
    const int n = std::max(x, y);
    *s = ArredondarPar(double(TDesenho::Lado) / n) - 3;
    *x0 = ArredondarPar((TDesenho::Lado + 1 - *s * x) / 2.0);
    *y0 = ArredondarPar((TDesenho::Lado + 1 - *s * y) / 2.0);
    return true;
}

TRetangulo TLabirinto::RetanguloQuadrado(int coluna, int linha) const {
    const qint64 s = TamanhoQuadrado;
    return TRetangulo{limitar(OrigemX + s * (coluna - 1)), limitar(OrigemY + s * (linha - 1)),
                      limitar(OrigemX + s * coluna), limitar(OrigemY + s * linha)};
}

// West (B1) and east (B3) flags: both give the whole arm row with a 6-pixel
// margin, only the west one the west arm up to the centre square, only the
// east one the centre square and the east arm, neither one no band at all.
TRetangulo TLabirinto::FaixaHorizontal() const {
    const qint64 s = TamanhoQuadrado, l = ComprimentoDoBraco, tc = TemCentro,
                 tq = TemQuadradoCentral, d = Desloca, b1 = BracoQuadrante1,
                 b3 = BracoQuadrante3;
    const qint64 um = absoluto(b1 - b3);
    return TRetangulo{limitar(OrigemX + um * b3 * l * s - 6 * b1),
                      limitar(OrigemY + tc * l * s - 6),
                      limitar(OrigemX + (um * b1 * l + 2 * b3 * l + b3 * tq) * s + 6 * b3),
                      limitar(OrigemY + (tc * l + d) * s + 6)};
}

// North (B2) and south (B4) flags, the same rules along the column.
TRetangulo TLabirinto::FaixaVertical() const {
    const qint64 s = TamanhoQuadrado, l = ComprimentoDoBraco, tc = TemCentro,
                 tq = TemQuadradoCentral, d = Desloca, b2 = BracoQuadrante2,
                 b4 = BracoQuadrante4;
    const qint64 um = absoluto(b2 - b4);
    return TRetangulo{limitar(OrigemX + l * s - 6),
                      limitar(OrigemY + um * tc * b4 * l * s - 6 * b2),
                      limitar(OrigemX + (l + d) * s + 6),
                      limitar(OrigemY + (um * b2 * l + b4 * l + tc * b4 * l + b4 * tq) * s +
                              6 * b4)};
}

void TLabirinto::Desenhar(const QString &nome) { Desenhar(Imagem, nome); }

void TLabirinto::Desenhar(TDesenho &imagem, const QString &nome) {
    QVector<TFigura> figuras;
    CalcularGeometria(QuadradosEmX, QuadradosEmY, &TamanhoQuadrado, &OrigemX, &OrigemY);
    MontarGrade(nome);

    if (Desenhavel() && TipoDoNome(nome) != TTipoLabirinto::Desconhecido) {
        for (const TRetangulo &faixa : {FaixaHorizontal(), FaixaVertical()}) {
            // A band without area would still leave its outline as a line.
            if (faixa.largura() > 0 && faixa.altura() > 0)
                figuras.append(TFigura{faixa, TCor::Oliva(), TCor::Oliva(), 4, 0, 0});
        }
        // Exactly the squares of the mask are drawn, so the picture always
        // shows the squares the animal can be on and a click can choose.
        // All squares look alike, so the order does not change the picture.
        for (int c = 1; c + 1 < static_cast<int>(Grade.size()); ++c)
            for (int r = 1; r + 1 < static_cast<int>(Grade[c].size()); ++r)
                if (Grade[c][r])
                    figuras.append(
                        TFigura{RetanguloQuadrado(c, r), TCor::Branco(), TCor::Preto(), 4, c, r});
    }

    imagem.Redefinir(TCor::Fundo(), figuras);
}

bool TLabirinto::PintarQuadrado(int coluna, int linha, const TCor &cor) {
    return Imagem.PintarQuadrado(coluna, linha, cor);
}

bool TLabirinto::QuadradoDoClique(double x, double y, int *coluna, int *linha) const {
    const int s = TamanhoQuadrado;
    if (s <= 0)
        return false;
    const double dx = (x - OrigemX) / s;
    const double dy = (y - OrigemY) / s;
    // Also rejects NaN.
    if (!(dx >= 0 && dy >= 0 && dx < MaximoQuadrados && dy < MaximoQuadrados))
        return false;
    const int c = static_cast<int>(std::floor(dx)) + 1;
    const int r = static_cast<int>(std::floor(dy)) + 1;
    if (!Existe(c, r))
        return false;
    *coluna = c;
    *linha = r;
    return true;
}

QString TLabirinto::LetraColuna(int coluna) {
    if (coluna < 1 || coluna > 26)
        return QString();
    return QString(QChar(64 + coluna));
}

QString TLabirinto::NumeroLinha(int linha) { return QString::number(linha); }

QString TLabirinto::NomeQuadrado(int coluna, int linha) {
    return LetraColuna(coluna) + NumeroLinha(linha);
}
