#pragma once

#include <QString>

// Holds one identification of one experiment folder for the length of a
// recording, so that two recordings of the same animal at once (two program
// instances, two replays) cannot happen: the second is refused.
//
// The lock is an flock on a hidden file "." + identification + ".trava" in
// the experiment folder. The system drops it when the holder ends, however
// it ends (a killed process leaves no stale lock), and it works between
// program instances as well as between two holders of one process. The file
// is removed when the lock is let go; a file left by a killed holder is
// simply locked again.
class TTravaIdentificacao {
public:
    enum Resultado { Travada, Ocupada, Impossivel };

    TTravaIdentificacao() = default;
    ~TTravaIdentificacao() { Liberar(); }
    TTravaIdentificacao(const TTravaIdentificacao &) = delete;
    TTravaIdentificacao &operator=(const TTravaIdentificacao &) = delete;

    // Takes the lock (letting go of one held before). Ocupada: another
    // holder has it; Impossivel: the lock file cannot be made (a folder
    // that cannot be written), *erro says why.
    Resultado Travar(const QString &pastaExperimento, const QString &identificacao,
                     QString *erro = nullptr);
    void Liberar();
    bool Ativa() const { return m_fd >= 0; }

    static QString Arquivo(const QString &pastaExperimento, const QString &identificacao);

private:
    int m_fd = -1;
    QString m_caminho;
};
