#!/usr/bin/env python3
"""Compares the .xlsx and the tidy CSV of a run with the .xls of the same run.

    comparar_formatos.py XLS XLSX CSV key=value...

keys: folha (the .xlsx sheet's name), titulos (title rows), and for the
analyses pos, reg (columns of the position and the record), comp and med
("cN": column N of each data row, "lN": title row N over each value column),
min (column of "MIN: n", 0 for none), regioes (title rows of the region,
"3,4"), valor (first value column), grupos ("row:name;row:name", first data
row of each group); for the record export eventos=1 and nomes (the CSV's
column names after "record", "a,b,c"), reg (the record's name).

The .xls is read with xlrd, the .xlsx with openpyxl and with pandas, the CSV
with pandas. Every cell of the .xls must be in the .xlsx at the same place
with the same value (numbers as numbers); every value cell must be one CSV
line with the keys its row and titles give. Prints what differs; exit 1 then.
"""
import sys

import openpyxl
import pandas as pd
import xlrd

xls, xlsx, arq_csv = sys.argv[1:4]
op = dict(a.split("=", 1) for a in sys.argv[4:])
erros = []


def erro(texto):
    if len(erros) < 20:
        erros.append(texto)


# The .xls, as a lab's scripts read it (empty labels are no value).
s = xlrd.open_workbook(xls, encoding_override="cp1252").sheet_by_index(0)
xc = {}
for r in range(s.nrows):
    for c in range(s.ncols):
        cel = s.cell(r, c)
        if cel.ctype == xlrd.XL_CELL_EMPTY or cel.value == "":
            continue
        xc[(r + 1, c + 1)] = cel.value

# The .xlsx with openpyxl: same cells, same places, numbers as numbers.
grande = s.nrows > 20000
wb = openpyxl.load_workbook(xlsx, read_only=grande)
ws = wb.worksheets[0]
if len(wb.worksheets) != 1 or ws.title != op["folha"]:
    erro("sheets %r, expected one named %r" % (wb.sheetnames, op["folha"]))
yc = {}
for linha in ws.iter_rows():
    for cel in linha:
        if cel.value is not None:
            yc[(cel.row, cel.column)] = cel.value
for k in sorted(set(xc) | set(yc)):
    a, b = xc.get(k), yc.get(k)
    if isinstance(a, float):
        ok = isinstance(b, (int, float)) and not isinstance(b, bool) and float(b) == a
    else:
        ok = a == b
    if not ok:
        erro("cell %s: xls %r, xlsx %r" % (k, a, b))
titulos = int(op["titulos"])
if not grande:
    if titulos and ws.freeze_panes != "A%d" % (titulos + 1):
        erro("frozen panes %r, expected rows 1 to %d" % (ws.freeze_panes, titulos))
    # Every label fits its column (up to 60 characters).
    larg = {}
    for (r, c), v in xc.items():
        if isinstance(v, str):
            larg[c] = max(larg.get(c, 0), min(len(v), 60))
    for c, n in larg.items():
        letra = openpyxl.utils.get_column_letter(c)
        w = ws.column_dimensions[letra].width if letra in ws.column_dimensions else None
        if w is None or w < n:
            erro("column %s is %r wide for a label of %d characters" % (letra, w, n))

# The .xlsx with pandas: the same grid.
df = pd.read_excel(xlsx, header=None, engine="openpyxl")
for (r, c), v in xc.items():
    p = df.iat[r - 1, c - 1]
    if (float(p) != v) if isinstance(v, float) else (p != v):
        erro("pandas cell %s: %r, xls %r" % ((r, c), p, v))
        break


def num(v):
    return repr(float(v))


# The CSV with pandas, as text, and once with its own types.
t = pd.read_csv(arq_csv, dtype=str, keep_default_na=False, encoding="utf-8")
tipos = pd.read_csv(arq_csv, encoding="utf-8")
linhas = sorted(set(r for r, c in xc if r > titulos))
celulas = {}
for (r, c), v in xc.items():
    celulas.setdefault(r, {})[c] = v
esperado = []
if op.get("eventos") == "1":
    nomes = op["nomes"].split(",")
    if list(t.columns) != ["record"] + nomes:
        erro("CSV columns %r" % list(t.columns))
    def norma(v):
        try:
            return num(v)
        except ValueError:
            return v

    for r in linhas:
        esperado.append([op["reg"]] + [norma(celulas[r].get(c, ""))
                                       for c in range(1, len(nomes) + 1)])
    lidas = [[norma(v) for v in row] for row in t.itertuples(index=False)]
    if tipos["start_ms"].dtype.kind not in "if":
        erro("start_ms read as %s" % tipos["start_ms"].dtype)
else:
    cab = "group,position,record,region,behaviour,minute,measure,value".split(",")
    if list(t.columns) != cab:
        erro("CSV columns %r" % list(t.columns))
    if tipos["value"].dtype.kind not in "if":
        erro("value read as %s" % tipos["value"].dtype)
    grupos = sorted((int(a), b) for a, b in
                    (g.split(":", 1) for g in op["grupos"].split(";") if g))
    pos, reg, valor = int(op["pos"]), int(op["reg"]), int(op["valor"])
    minuto = int(op["min"])
    regioes = [int(x) for x in op["regioes"].split(",")]

    def titulo(r, c):
        v = celulas.get(r, {}).get(c, "")
        return num(v) if isinstance(v, float) else v

    def chave(onde, r, c):
        n = int(onde[1:])
        return titulo(r, n) if onde[0] == "c" else titulo(n, c)

    for r in linhas:
        grupo = ""
        for g0, nome in grupos:
            if g0 <= r:
                grupo = nome
        m = celulas[r].get(minuto, "") if minuto else ""
        m = m[5:] if m.startswith("MIN: ") else m
        for c in sorted(celulas[r]):
            v = celulas[r][c]
            if c < valor or not isinstance(v, float):
                continue
            regiao = " ".join(x for x in (titulo(l, c) for l in regioes) if x)
            esperado.append([grupo, num(celulas[r][pos]), titulo(r, reg), regiao,
                             chave(op["comp"], r, c), m, chave(op["med"], r, c), num(v)])
    lidas = [[g, num(p), rg, re, b, m, me, num(v)]
             for g, p, rg, re, b, m, me, v in t.itertuples(index=False)]
if lidas != esperado:
    erro("CSV: %d lines, %d expected" % (len(lidas), len(esperado)))
    for a, b in zip(lidas, esperado):
        if a != b:
            erro("CSV line %r, expected %r" % (a, b))
            break
print("%d cells, %d CSV lines" % (len(xc), len(lidas)))
for e in erros:
    print(e, file=sys.stderr)
sys.exit(1 if erros else 0)
