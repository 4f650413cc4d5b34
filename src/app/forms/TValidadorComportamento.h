#pragma once

#include <QValidator>

// Filter of a behaviour name field: what is typed or pasted becomes what
// Catalogo::Normalizar keeps (capitals, no control characters, nothing
// outside Windows-1252, no "=" at the start).
class TValidadorComportamento : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString &texto, int &posicao) const override;
    void fixup(QString &texto) const override;
};
