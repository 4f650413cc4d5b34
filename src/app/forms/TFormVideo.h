#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QMediaPlayer;
class QPushButton;
class QToolButton;
class QVideoWidget;
class TInteracao;

// The video window (unit "UnitVideo"): a simple player for digitised
// recordings of experiments. "Carregar Arquivo" opens a file; Play, Pause,
// Stop, Step (one frame on) and Back (one frame back) drive it; the picture
// fills the window's panel.
//
// The media layer is made when the first file is opened, so the window
// costs nothing until then. A file that cannot be played is reported as
// text (a message box and the line under the picture) with the media
// layer's own words; the player is then left without a file and the window
// stays usable. Cancelling the file dialog changes nothing. Emits Fechada
// when it closes.
class TFormVideo : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitVideo"

    TFormVideo(const QString &arquivoIdioma, TInteracao *interacao, QWidget *parent = nullptr);
    ~TFormVideo() override;

    // The open dialog (no file filter): the file picked, or an empty text.
    std::function<QString(QWidget *pai)> DialogoAbrir;

    // Opens the file as a pick in the dialog does.
    void Abrir(const QString &caminho);
    // The file open in the player; empty when none.
    QString Arquivo() const { return m_arquivo; }

signals:
    void Fechada();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void SpeedButtonCarregarClick();
    void falha(const QString &motivo);
    void passo(int sentido);
    void atualizarBotoes();

    QString m_arquivoIdioma;
    TInteracao *m_interacao;
    QString m_arquivo;

    QPushButton *SpeedButtonCarregar = nullptr;
    QWidget *PanelVideo = nullptr;
    QVideoWidget *m_video = nullptr;
    QMediaPlayer *m_player = nullptr;
    QToolButton *m_play = nullptr;
    QToolButton *m_pause = nullptr;
    QToolButton *m_stop = nullptr;
    QToolButton *m_step = nullptr;
    QToolButton *m_back = nullptr;
    QLabel *LabelArquivo = nullptr;
};
