#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QStackedLayout;
class QTableWidget;
class TExperimento;

// The configuration display: a child window of the main window with a fixed
// border and no caption buttons, below the experiment list. Shows the
// settings of the current experiment (MostrarConfiguracao): maze, distance,
// duration, starts, catalogue number and, in ValueListEditor, one row per
// behaviour (letter, name). For an experiment that is not configured,
// GroupBoxNaoConf ("Experimento Não Configurado" and SpeedButtonConfigurar)
// covers the whole display instead. Lives from login to log-off; reads the
// experiment given at creation, which must outlive it. Texts: section
// "UnitShowConf" of the language file given.
class TFormShowConf : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitShowConf"

    TFormShowConf(const TExperimento &experimento, const QString &arquivoIdioma,
                  QWidget *parent = nullptr);

public slots:
    // Hides the not-configured panel and empties every value and row.
    void LimparConfiguracao();
    // LimparConfiguracao, then the current experiment's settings.
    void MostrarConfiguracao();
    // The not-configured panel over the whole display.
    void MostrarNaoConfigurado();

signals:
    // SpeedButtonConfigurar: the selected experiment should be configured.
    void ConfigurarPedido();

private:
    const TExperimento &m_experimento;
    QStackedLayout *m_paginas;
    QWidget *m_valores;
    QGroupBox *m_naoConf;
    QLabel *m_tipo, *m_distancia, *m_duracao, *m_inicios, *m_padrao;
    QTableWidget *m_tabela;
};
