#include "TFormVideo.h"

#include "core/TIdioma.h"
#include "core/TInteracao.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

const QString TFormVideo::Secao = QStringLiteral("UnitVideo");

TFormVideo::TFormVideo(const QString &arquivoIdioma, TInteracao *interacao, QWidget *parent)
    : QWidget(parent), m_arquivoIdioma(arquivoIdioma), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormVideo"));
    DialogoAbrir = [](QWidget *pai) { return QFileDialog::getOpenFileName(pai); };
    const TIdioma idioma(arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormVideoCaption"));

    SpeedButtonCarregar = new QPushButton(texto("SpeedButtonCarregar"), this);
    SpeedButtonCarregar->setObjectName(QStringLiteral("SpeedButtonCarregar"));
    SpeedButtonCarregar->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));

    // The player's buttons.
    auto *controles = new QWidget(this);
    controles->setObjectName(QStringLiteral("MediaPlayer"));
    auto *cc = new QHBoxLayout(controles);
    cc->setContentsMargins(0, 0, 0, 0);
    auto botao = [&](QToolButton *&b, const char *nome, QStyle::StandardPixmap icone,
                     const char *dica) {
        b = new QToolButton(controles);
        b->setObjectName(QLatin1String(nome));
        b->setIcon(style()->standardIcon(icone));
        b->setIconSize(QSize(22, 22));
        b->setToolTip(texto(dica));
        b->setAutoRaise(false);
        cc->addWidget(b);
    };
    botao(m_play, "MediaPlayerPlay", QStyle::SP_MediaPlay, "MediaPlayerPlayHint");
    botao(m_pause, "MediaPlayerPause", QStyle::SP_MediaPause, "MediaPlayerPauseHint");
    botao(m_stop, "MediaPlayerStop", QStyle::SP_MediaStop, "MediaPlayerStopHint");
    botao(m_step, "MediaPlayerStep", QStyle::SP_MediaSeekForward, "MediaPlayerStepHint");
    botao(m_back, "MediaPlayerBack", QStyle::SP_MediaSeekBackward, "MediaPlayerBackHint");

    PanelVideo = new QWidget(this);
    PanelVideo->setObjectName(QStringLiteral("PanelVideo"));
    PanelVideo->setAutoFillBackground(true);
    QPalette preto = PanelVideo->palette();
    preto.setColor(QPalette::Window, Qt::black);
    PanelVideo->setPalette(preto);
    PanelVideo->setMinimumSize(480, 320);
    auto *cv = new QVBoxLayout(PanelVideo);
    cv->setContentsMargins(0, 0, 0, 0);

    LabelArquivo = new QLabel(texto("LabelArquivo"), this);
    LabelArquivo->setObjectName(QStringLiteral("LabelArquivo"));
    LabelArquivo->setTextFormat(Qt::PlainText);
    LabelArquivo->setWordWrap(true);

    auto *topo = new QHBoxLayout;
    topo->addWidget(SpeedButtonCarregar);
    topo->addStretch(1);
    topo->addWidget(controles);
    auto *tudo = new QVBoxLayout(this);
    tudo->addLayout(topo);
    tudo->addWidget(PanelVideo, 1);
    tudo->addWidget(LabelArquivo);

    connect(SpeedButtonCarregar, &QPushButton::clicked, this,
            &TFormVideo::SpeedButtonCarregarClick);
    connect(m_play, &QToolButton::clicked, this, [this] {
        if (m_player) m_player->play();
    });
    connect(m_pause, &QToolButton::clicked, this, [this] {
        if (m_player) m_player->pause();
    });
    connect(m_stop, &QToolButton::clicked, this, [this] {
        if (m_player) m_player->stop();
    });
    connect(m_step, &QToolButton::clicked, this, [this] { passo(1); });
    connect(m_back, &QToolButton::clicked, this, [this] { passo(-1); });
    atualizarBotoes();
}

TFormVideo::~TFormVideo() = default;

void TFormVideo::atualizarBotoes() {
    for (QToolButton *b : {m_play, m_pause, m_stop, m_step, m_back})
        b->setEnabled(!m_arquivo.isEmpty());
}

void TFormVideo::SpeedButtonCarregarClick() {
    const QString caminho = DialogoAbrir(this);
    if (caminho.isEmpty()) return;
    Abrir(caminho);
}

void TFormVideo::Abrir(const QString &caminho) {
    // Whatever was open goes first: a failure leaves no file at all.
    if (m_player) {
        m_player->stop();
        m_player->setSource(QUrl());
    }
    m_arquivo.clear();
    atualizarBotoes();
    const QFileInfo info(caminho);
    if (!info.isFile() || !info.isReadable()) {
        falha(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(caminho),
                                           info.exists() ? QStringLiteral("not a readable file")
                                                         : QStringLiteral("no such file")));
        return;
    }
    if (!m_player) {
        m_video = new QVideoWidget(PanelVideo);
        m_video->setObjectName(QStringLiteral("VideoWidget"));
        PanelVideo->layout()->addWidget(m_video);
        m_player = new QMediaPlayer(this);
        m_player->setVideoOutput(m_video);
        connect(m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &texto) {
                    if (m_arquivo.isEmpty()) return;
                    const QString arquivo = m_arquivo;
                    m_player->stop();
                    m_player->setSource(QUrl());
                    m_arquivo.clear();
                    atualizarBotoes();
                    falha(QDir::toNativeSeparators(arquivo) + QStringLiteral(": ") + texto);
                });
    }
    m_arquivo = info.absoluteFilePath();
    LabelArquivo->setText(QDir::toNativeSeparators(m_arquivo));
    atualizarBotoes();
    m_player->setSource(QUrl::fromLocalFile(m_arquivo));
}

void TFormVideo::falha(const QString &motivo) {
    const QString texto =
        TIdioma::Ler(m_arquivoIdioma, Secao,
                     QStringLiteral("TFormVideoSpeedButtonCarregarClickMessage1")) +
        QLatin1Char(' ') + motivo;
    LabelArquivo->setText(texto);
    m_interacao->Mensagem(texto);
}

void TFormVideo::passo(int sentido) {
    if (!m_player || m_arquivo.isEmpty()) return;
    // One frame at the file's rate (25 frames a second when it says none).
    const double quadros = m_player->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    const qint64 duracao = quadros > 0 ? qRound64(1000.0 / quadros) : 40;
    m_player->pause();
    m_player->setPosition(qMax<qint64>(0, m_player->position() + sentido * duracao));
}

void TFormVideo::closeEvent(QCloseEvent *evento) {
    if (m_player) m_player->stop();
    evento->accept();
    emit Fechada();
}
