#pragma once

#include "app/TIntervalo.h"

#include <QSpinBox>

// A spin field over a TIntervalo. Digits can be typed freely; when the field
// loses the focus (or Enter is pressed) its text becomes the value
// TIntervalo::Ajustar gives: out of range moves to the nearest bound, an
// empty field becomes the lower bound. Other characters are refused as
// typed. With SomenteSetas the value changes only through the arrow buttons
// and the arrow keys; nothing can be typed or pasted.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(const TIntervalo &intervalo, int valor, QWidget *parent = nullptr);

    void DefinirSomenteSetas(bool somenteSetas);

protected:
    QValidator::State validate(QString &texto, int &posicao) const override;
    void fixup(QString &texto) const override;
    int valueFromText(const QString &texto) const override;

private:
    TIntervalo m_intervalo;
};
