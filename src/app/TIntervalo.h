#pragma once

#include <QString>

// The range of an integer setting as a spin field holds it: lower and upper
// bound, and the step of its arrows.
struct TIntervalo {
    int Minimo;
    int Maximo;
    int Passo;

    // The value a field's text stands for when the field loses the focus: a
    // whole number (blanks around it and a sign allowed) moved into the
    // range, one too large for any integer counting as the upper bound (or
    // the lower, when negative); any other text, the empty one included,
    // counts as the lower bound.
    int Ajustar(const QString &texto) const;
    // The nearest value within the range.
    int Limitar(qint64 valor) const;
};
