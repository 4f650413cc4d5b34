#!/usr/bin/env python3
"""Generates recordings and analyses with a trevalin-cli and lists what it wrote.

    scripts/casos-saida.py CLI OUTDIR [--seed N] [--count K]

Makes a data directory in OUTDIR with one user and one experiment per shipped
maze (one or two starts, every restart option, session lengths from 30 s to
10 min), replays K random scripts (moves, held behaviours, falls, the arrow
keys, events after the end), then runs every analysis kind over groups of the
records and exports some of them. OUTDIR/manifesto.txt lists each output with
a digest of its bytes (a record's first line, which holds the moment it was
written, left out) and each command's exit status, so two builds of the
program can be compared on the same cases:

    scripts/casos-saida.py old/trevalin-cli /tmp/a
    scripts/casos-saida.py build/src/trevalin-cli /tmp/b
    diff /tmp/a/manifesto.txt /tmp/b/manifesto.txt

The same seed gives the same cases whatever the build.
"""
import argparse
import hashlib
import os
import random
import shutil
import subprocess
import sys

AQUI = os.path.dirname(os.path.abspath(__file__))
RECURSOS = os.path.join(AQUI, "..", "resources")

# name -> start squares that exist on it (column, row)
LABIRINTOS = {
    "CRUZ (3)": [(4, 4), (4, 1), (1, 4)],
    "CRUZ (5)": [(6, 6), (6, 1), (11, 6)],
    "CRUZ (6)": [(7, 7), (7, 2), (2, 7)],
    "EM I (3)": [(4, 1), (1, 1), (6, 1)],
    "EM I (5)": [(6, 1), (1, 1), (10, 1)],
    "EM T (5)": [(6, 1), (1, 1), (11, 1), (6, 6)],
    "ARENA (4x4)": [(1, 1), (4, 4), (2, 3)],
    "ARENA (6x6)": [(3, 3), (6, 1), (1, 6)],
}
COMPORTAMENTOS = ["Limpeza", "Levantar", "Farejar", "Coçar", "Parado", "Saltar"]
TIPOS = ["compacta", "compacta-braco", "quadrado", "compacta-minuto",
         "compacta-braco-minuto", "quadrado-minuto"]


def perfil(experimentos):
    linhas = ["[Experimentos]", "QdeExp=%d" % len(experimentos)]
    linhas += ["%d=%s" % (i + 1, e["nome"]) for i, e in enumerate(experimentos)]
    for e in experimentos:
        (x1, y1), (x2, y2) = e["inicios"]
        linhas += ["[%s]" % e["nome"], "Configurado=1", "Labirinto=" + e["labirinto"],
                   "CompTipo=Comp%d" % e["comp"], "QdeInicios=%d" % e["qde"],
                   "TempoSecao=%d" % e["tempo"], "Distancia=25", "DivisoesDaSecao=10",
                   "InicioX1=%d" % x1, "InicioY1=%d" % y1, "InicioX2=%d" % x2,
                   "InicioY2=%d" % y2, "ComecoQueda=%d" % e["queda"]]
    for c in range(1, 5):
        linhas.append("[Comp%d]" % c)
        for i, nome in enumerate(COMPORTAMENTOS[: c + 2]):
            linhas.append("%d=%s" % (2 * i + 1 if c % 2 else i + 1, nome))
    return ("\r\n".join(linhas) + "\r\n").encode("cp1252")


def roteiro(rnd, tempo_ms):
    """Random events in time order; some fall after the session end."""
    t = 0
    ev = ["0 5"] if rnd.random() < 0.9 else ["%d 5" % rnd.randint(1, 3000)]
    t = int(ev[0].split()[0])
    abaixadas = set()
    caiu = False
    letras = "ABCDEFGHIJKL"
    fim = int(tempo_ms * rnd.uniform(0.6, 1.6))
    while t < fim:
        t += rnd.choice([0, 1, 50, 300, 700, 1500, 4000, 12000])
        r = rnd.random()
        if caiu:
            ev.append("%d 5" % t)
            caiu = False
        elif r < 0.55:
            ev.append("%d %d" % (t, rnd.randint(1, 9)))
        elif r < 0.75:
            l = rnd.choice(letras)
            ev.append("%d down %s" % (t, l))
            abaixadas.add(l)
        elif r < 0.88 and abaixadas:
            l = rnd.choice(sorted(abaixadas))
            ev.append("%d up %s" % (t, l))
            abaixadas.discard(l)
        elif r < 0.93:
            ev.append("%d esc" % t)
            caiu = True
        elif r < 0.96:
            ev.append("%d f5" % t)
        else:
            ev.append("%d arrow %s" % (t, rnd.choice(["left", "up", "right", "down"])))
    if caiu:
        ev.append("%d 5" % (t + 10))
    return "\n".join(ev) + "\n"


def digest(caminho):
    with open(caminho, "rb") as f:
        b = f.read()
    if caminho.endswith(".tvl"):
        b = b[b.find(b"\r\n"):]
    return hashlib.sha256(b).hexdigest()[:16]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("cli")
    ap.add_argument("saida")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=300)
    a = ap.parse_args()
    rnd = random.Random(a.seed)
    cli = os.path.abspath(a.cli)
    shutil.rmtree(a.saida, ignore_errors=True)
    dados = os.path.join(os.path.abspath(a.saida), "dados")
    os.makedirs(os.path.join(dados, "usuarios", "ana"))
    shutil.copy(os.path.join(RECURSOS, "Labirintos.ini"), dados)
    shutil.copytree(os.path.join(RECURSOS, "idiomas"), os.path.join(dados, "idiomas"))

    experimentos = []
    for i, (lab, inicios) in enumerate(sorted(LABIRINTOS.items())):
        for qde in (1, 2):
            e = {"nome": "e%d%s" % (i, "d" if qde == 2 else "u"), "labirinto": lab,
                 "qde": qde, "comp": rnd.randint(1, 4), "queda": rnd.randint(1, 3),
                 "tempo": rnd.choice([30, 60, 90, 125, 300, 600]),
                 "inicios": [rnd.choice(inicios), rnd.choice(inicios)]}
            experimentos.append(e)
            os.makedirs(os.path.join(dados, "usuarios", "ana", e["nome"]))
    with open(os.path.join(dados, "usuarios", "ana.ini"), "wb") as f:
        f.write(perfil(experimentos))

    manifesto = []
    roteiros = os.path.join(os.path.abspath(a.saida), "roteiros")
    os.makedirs(roteiros)
    for n in range(a.count):
        e = experimentos[n % len(experimentos)]
        caminho = os.path.join(roteiros, "r%d.txt" % n)
        with open(caminho, "w") as f:
            f.write(roteiro(rnd, e["tempo"] * 1000))
        p = subprocess.run([cli, "replay", "--data", dados, "--user", "ana", "--experiment",
                            e["nome"], "--id", "rato%d" % n, caminho],
                           capture_output=True, text=True)
        manifesto.append("replay %d %s exit %d" % (n, e["nome"], p.returncode))

    analises = os.path.join(os.path.abspath(a.saida), "analises")
    os.makedirs(analises)
    for e in experimentos:
        pasta = os.path.join(dados, "usuarios", "ana", e["nome"])
        registros = sorted(f for f in os.listdir(pasta) if f.endswith(".tvl"))
        if not registros:
            continue
        metade = max(1, len(registros) // 2)
        grupos = ["--group", "G1=" + ",".join(registros[:metade])]
        if registros[metade:]:
            grupos += ["--group", "Grupo 2=" + ",".join(registros[metade:])]
        for tipo in TIPOS:
            out = os.path.join(analises, "%s-%s" % (e["nome"], tipo))
            p = subprocess.run([cli, "analyse", "--data", dados, "--user", "ana",
                                "--experiment", e["nome"], "--kind", tipo, "--out", out] + grupos,
                               capture_output=True, text=True)
            manifesto.append("analyse %s %s exit %d %s" % (e["nome"], tipo, p.returncode,
                                                           p.stderr.strip().replace(dados, "")))
        # The export shows the first line too: give it a fixed writing moment.
        with open(os.path.join(pasta, registros[0]), "rb") as f:
            b = f.read()
        copia = os.path.join(analises, e["nome"] + "-registro.tvl")
        with open(copia, "wb") as f:
            f.write(b"Trevalin 2005  |  09/12/2026  |  14:03:00" + b[b.find(b"\r\n"):])
        p = subprocess.run([cli, "export", "--out", os.path.join(analises, e["nome"] + "-exp"),
                            copia], capture_output=True, text=True)
        manifesto.append("export %s exit %d" % (e["nome"], p.returncode))

    for raiz in (dados, analises):
        for pasta, _, arquivos in sorted(os.walk(raiz)):
            for f in sorted(arquivos):
                c = os.path.join(pasta, f)
                if c.endswith((".tvl", ".XLS", ".xls")):
                    manifesto.append("%s %s" % (os.path.relpath(c, a.saida), digest(c)))
    with open(os.path.join(a.saida, "manifesto.txt"), "w") as f:
        f.write("\n".join(manifesto) + "\n")
    print("%d lines in %s" % (len(manifesto), os.path.join(a.saida, "manifesto.txt")))


if __name__ == "__main__":
    sys.exit(main())
