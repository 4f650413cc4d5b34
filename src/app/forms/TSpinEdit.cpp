#include "TSpinEdit.h"

#include <QLineEdit>

TSpinEdit::TSpinEdit(const TIntervalo &intervalo, int valor, QWidget *parent)
    : QSpinBox(parent), m_intervalo(intervalo) {
    setRange(intervalo.Minimo, intervalo.Maximo);
    setSingleStep(intervalo.Passo);
    setValue(intervalo.Limitar(valor));
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAlignment(Qt::AlignRight);
}

void TSpinEdit::DefinirSomenteSetas(bool somenteSetas) {
    lineEdit()->setReadOnly(somenteSetas);
    setContextMenuPolicy(somenteSetas ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

QValidator::State TSpinEdit::validate(QString &texto, int &) const {
    // Any run of digits may stand in the field while it is being typed;
    // fixup moves it into the range when the field is left.
    for (const QChar c : std::as_const(texto))
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QValidator::Invalid;
    if (texto.isEmpty()) return QValidator::Intermediate;
    return m_intervalo.Ajustar(texto) == texto.toLongLong() && texto.size() <= 10
               ? QValidator::Acceptable
               : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString &texto) const {
    texto = QString::number(m_intervalo.Ajustar(texto));
}

int TSpinEdit::valueFromText(const QString &texto) const {
    return m_intervalo.Ajustar(texto);
}
