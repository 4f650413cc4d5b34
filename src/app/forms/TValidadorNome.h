#pragma once

#include <QString>
#include <QValidator>

// Filter of a name field: the field refuses every character of a given set,
// every character that Windows-1252 cannot hold (names end up in files of
// that code page) and control characters. A refused character is dropped
// whether it is typed or pasted; the rest of the input is kept, so typing
// "a.b" into a field that refuses "." gives "ab". The length limit is the
// field's own (QLineEdit::setMaxLength).
class TValidadorNome : public QValidator {
    Q_OBJECT
public:
    TValidadorNome(const QString &recusados, QObject *parent = nullptr);

    bool Aceito(QChar c) const;

    State validate(QString &texto, int &posicao) const override;
    void fixup(QString &texto) const override;

    // The characters a user name refuses.
    static const QString RecusadosUsuario;
    // The characters an experiment name refuses (the blank among them).
    static const QString RecusadosExperimento;

private:
    QString m_recusados;
};
