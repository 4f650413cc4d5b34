#pragma once

#include <QStringList>
#include <QTextStream>

// trevalin-cli replay --data DIR --user USER --experiment EXP --id ID
//                     [--journal] [--real-time] SCRIPT
//
// Runs one recording from a script of timed key events on virtual time and
// writes its record file(s) exactly as the session window would. The
// session is opened (the experiment's start squares must be set) and the
// identification confirmed before the first event. SCRIPT holds one event
// per line, "<ms> <event> [arg]", ms being virtual milliseconds since the
// replay began, never decreasing; blank lines and lines starting with "#" are
// skipped. Events: 5, esc, 1 2 3 4 6 7 8 9, "down X" / "up X" (letter X),
// "arrow left|up|right|down", f5. A session timer due at or before an
// event's time fires first; after the last event a running session timer
// fires at its deadline. Events after the session end are ignored.
//
// --journal keeps the recording's journal as the session window does (off
// by default). --real-time waits, before each event, until its time has
// passed on the real clock since the replay began (the recording's own
// times stay those of the script): a recording that can be stopped from
// outside at any moment.
//
// The identification is locked for the length of the recording: a second
// replay (or a session window) of the same identification at the same time
// is refused with exit 1.
//
// Exit 0 with the written paths on out; exit 1 with a message on err for
// any error, a malformed line (with its number) or a script that ends
// without a session end (nothing is written then).
int ComandoReplay(const QStringList &args, QTextStream &out, QTextStream &err);
