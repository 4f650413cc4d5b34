#pragma once

#include <QSet>
#include <QString>

class TSessao;

// How the session window's keys reach the engine. The window hands every
// key event it sees (from whichever of its widgets has the focus) to this
// class, which decides whether the window takes it and what it means:
//
// - While the identification or the start squares are being entered, the
//   keys belong to the widgets (the name field gets its digits and
//   letters); only F5 is taken. From the confirmed identification on
//   (ready, recording, paused) every key is taken: no widget and no
//   shortcut sees it, so a stray key never presses a button.
// - Digits 1 to 9 (main row and numeric keypad alike) and Esc are character
//   keys (TSessao::TeclaPressionada); F5, the arrows and the letters are
//   key-down / key-up by key code.
// - Auto-repeated events (a key held down) are taken and ignored: one move
//   per key press, and a held letter neither restarts nor ends its bout.
// - Keys held when the window loses the keyboard (another window or
//   program is activated while a letter is held): their key-up would go
//   elsewhere, and the bout would run on for ever. FocoPerdido ends every
//   held letter's bout at that instant, as a key-up would; holding it on
//   after coming back does not start it again (its events are repeats),
//   a new press does.
class TEntradaTeclas {
public:
    explicit TEntradaTeclas(TSessao &sessao) : m_sessao(sessao) {}

    // True when the window takes key `tecla` now (for key presses and for
    // the shortcut check that comes before them).
    bool Toma(int tecla) const;
    // A key went down: its code, the characters it typed, and whether it
    // is an auto-repeat. True when the window took it.
    bool Pressionada(int tecla, const QString &texto, bool repeticao);
    // A key went up. True when the window took it.
    bool Liberada(int tecla, bool repeticao);
    // The window lost the keyboard: every letter held ends now.
    void FocoPerdido();

    // Letters held down now (key codes).
    const QSet<int> &Seguradas() const { return m_seguradas; }

private:
    TSessao &m_sessao;
    QSet<int> m_seguradas;
};
