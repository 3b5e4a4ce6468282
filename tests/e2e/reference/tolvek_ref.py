#!/usr/bin/env python3
"""Independent reference model of tolvek, used to produce the expected files
of the end-to-end scenarios.

It covers well-formed runs only: the dialogue, the GPS and INS passes, gap
filling, the zero-phase filter, both products, the console report lines, the
"no difference" warning and the capacity stop.  Input errors (missing files,
bad numbers, premature end of the dialogue) are not modelled.

All arithmetic is plain IEEE double in the order the tool uses; reciprocal
constants are multiplied, never divided.  Python floats never fuse a multiply
and an add, so every product and sum is rounded on its own.

Usage:
    tolvek_ref.py            run in the current directory, dialogue on stdin
    tolvek_ref.py --check    run the built-in numeric checks
"""

import math
import os
import sys
from decimal import Decimal, ROUND_HALF_EVEN, localcontext

MAXN = 43200
RMISS = 9.99e9
GRID_PRESENT = 8999999488.0   # single-precision 9e9 widened to double
FILL_LIMIT = 9.98e9
DEG2RAD = 0.0174532925
M_PER_DEG = 111120.0
INV3600 = 1.0 / 3600.0
INV86400 = 1.0 / 86400.0
INV1852 = 1.0 / 1852.0

CAPACITY_EXIT = 16
WARN_NO_DIFF = ("tolvek: warning: the window holds no INS-GPS difference; "
                "the INS track is written uncorrected\n")


# ---------------------------------------------------------------- numbers

def nint(x):
    """Nearest integer, halves away from zero, exact."""
    a = abs(x)
    f = math.floor(a)
    r = f + 1 if a - f >= 0.5 else f   # a - f is exact for a double
    return -r if x < 0 else r


def trunc(x):
    """Truncation toward zero, exact."""
    return int(x)


def fmt_f(x, w, d):
    """Fixed-point field of w characters with d decimals."""
    if not math.isfinite(x):
        return "*" * w
    with localcontext() as ctx:
        ctx.prec = 1000
        q = Decimal(x).quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_EVEN)
        neg = q < 0          # a rounded -0.000 compares equal to 0
        ip, fp = format(abs(q), "f").split(".")
    sign = "-" if neg else ""
    body = sign + ip + "." + fp
    if len(body) > w and ip == "0":
        body = sign + "." + fp
    if len(body) > w:
        return "*" * w
    return body.rjust(w)


def fmt_i(v, w):
    s = str(v)
    return "*" * w if len(s) > w else s.rjust(w)


# ---------------------------------------------------------------- reading

def split_fields(line):
    return line.replace(",", " ").replace("\t", " ").split()


class FreeReader:
    """Free-form reads over a list of lines: each read starts on a new line,
    takes as many lines as it needs and ignores the rest of its last line."""

    def __init__(self, text):
        self.lines = text.replace("\r\n", "\n").split("\n")
        if self.lines and self.lines[-1] == "":
            self.lines.pop()
        self.pos = 0

    def skip_line(self):
        if self.pos >= len(self.lines):
            raise EOFError("end of file in header line")
        self.pos += 1

    def read_line(self):
        if self.pos >= len(self.lines):
            raise EOFError("end of file")
        s = self.lines[self.pos]
        self.pos += 1
        return s

    def read(self, count):
        """Returns `count` tokens, or None at end of file (also mid-record)."""
        toks = []
        while len(toks) < count:
            if self.pos >= len(self.lines):
                return None
            toks.extend(split_fields(self.lines[self.pos]))
            self.pos += 1
        return toks[:count]


def to_real(tok):
    t = tok
    for c in "dDqQ":
        t = t.replace(c, "e")
    return float(t)


def to_logical(tok):
    t = tok.lstrip(".")
    c = t[:1].upper()
    if c == "T":
        return True
    if c == "F":
        return False
    raise ValueError("not a logical: " + tok)


# ---------------------------------------------------------------- numerics

def rfill(s, n):
    """Fills the missing points of s[1..n] in place; returns (nfill, maxgap).
    A point with no neighbour on either side gets 0.0."""
    nfill = 0
    maxgap = 0
    if n <= 0:
        return nfill, maxgap
    wfill = [0.0] * (n + 1)
    for i in range(1, n + 1):
        if s[i] <= FILL_LIMIT:
            wfill[i] = s[i]
            continue
        nfill += 1
        ilo = i - 1
        while ilo >= 1 and s[ilo] >= FILL_LIMIT:
            ilo -= 1
        ihi = i + 1
        while ihi <= n and s[ihi] >= FILL_LIMIT:
            ihi += 1
        if ilo == 0:
            wfill[i] = s[ihi] if ihi <= n else 0.0
            igap = ihi
        elif ihi == n + 1:
            wfill[i] = s[ilo]
            igap = n - ilo
        else:
            wfill[i] = (s[ilo] * float(ihi - i) + s[ihi] * float(i - ilo)) / float(ihi - ilo)
            igap = ihi - ilo - 1
        if igap > maxgap:
            maxgap = igap
    for i in range(1, n + 1):
        s[i] = wfill[i]
    return nfill, maxgap


def rc(n, vin, vout, tau, tstep, npass, idir):
    """First-order recursive filter, one direction, on 1-based lists."""
    q = tstep / (tau + tau)
    cy = (1.0 - q) / (1.0 + q)
    cx = q / (1.0 + q)
    if n <= 0:
        return
    for i in range(1, n + 1):
        vout[i] = vin[i]
    if idir == 1:
        first, last, step = 1, n, 1
    else:
        first, last, step = n, 1, -1
    for _ in range(npass):
        pin = vout[first]
        pout = vout[first]
        for i in range(first + step, last + step, step):
            v = vout[i]
            vout[i] = cy * pout + cx * (pin + v)
            pin = v
            pout = vout[i]


# ---------------------------------------------------------------- the run

class Result:
    def __init__(self):
        self.stdout = []
        self.stderr = []
        self.exit_code = 0
        self.dif = []
        self.pos = []

    def out(self, line):
        self.stdout.append(line + "\n")

    def files(self):
        return {
            "stdout": "".join(self.stdout),
            "stderr": "".join(self.stderr),
            "exit_code": "%d\n" % self.exit_code,
            "tolvek.dif": "".join(self.dif),
            "tolvek.pos": "".join(self.pos),
        }


def run(stdin_text, read_file):
    """Runs one dialogue. read_file(name) returns the text of an input file.
    Returns a dict with stdout, stderr, exit_code and both output files."""
    res = Result()
    res.out("- TOLVEK -")

    dlg = FreeReader(stdin_text)
    insfile = dlg.read_line()[:72].rstrip(" ")
    gpsfile = dlg.read_line()[:72].rstrip(" ")
    vals = dlg.read(6)
    if vals is None:
        raise EOFError("dialogue incomplete")
    t0 = to_real(vals[0])
    t1 = to_real(vals[1])
    tshift = to_real(vals[2])
    tau = to_real(vals[3])
    gpshead = to_logical(vals[4])
    insalth = to_logical(vals[5])

    tshift = tshift * INV3600
    res.out("draping time constant INS to GPS (sec): " + fmt_f(tau, 6, 1))

    gps = FreeReader(read_file(gpsfile))
    ins = FreeReader(read_file(insfile))

    # grid
    n = nint((t1 - t0) * 3600.0) + 1
    if n > MAXN:
        res.stderr.append("*** too many points, increase maxn\n")
        res.exit_code = CAPACITY_EXIT
        return res.files()
    size = max(n, 0) + 2
    glat = [RMISS] * size
    glon = [RMISS] * size
    gh = [RMISS] * size
    dlat = [RMISS] * size
    dlon = [RMISS] * size
    dh = [RMISS] * size
    coslat = [RMISS] * size
    work = [0.0] * size

    # GPS pass
    res.out("- reading GPS data")
    if gpshead:
        gps.skip_line()
    count = 0
    iday = 0
    while True:
        rec = gps.read(5 if gpshead else 4)
        if rec is None:
            break
        if gpshead:
            int(rec[0])
            lat, lon, h, time = (to_real(v) for v in rec[1:5])
        else:
            time, lat, lon, h = (to_real(v) for v in rec)
        if count == 0:
            iday = trunc(time * INV86400)
        sec = time - float(iday * 86400)
        hr = sec * INV3600
        if count == 0:
            res.out("GPS data start (dechr and sec): " + fmt_f(hr, 7, 2) + fmt_f(sec, 13, 6))
        count += 1
        th = hr - tshift
        if th < t0:
            continue
        if th > t1:
            break
        i = nint((th - t0) * 3600.0) + 1
        glat[i] = lat
        glon[i] = lon
        gh[i] = h
    res.out("no of gps data read: " + " " + str(count))

    # INS pass
    res.out("- reading ins data")
    buf = []

    def ins_record():
        rec = ins.read(8)
        if rec is None:
            return None
        r = [to_real(v) for v in rec]
        if insalth:
            r[3] = r[7]
        return r[:7]

    first = ins_record()
    if first is None:
        raise EOFError("INS file holds no record")
    xprev = (first[0] - t0) * 3600.0 + 1.0
    iprev = trunc(xprev)
    plat, plon, ph = first[1], first[2], first[3]
    while True:
        rec = ins_record()
        if rec is None:
            break
        time, lat, lon, h = rec[0], rec[1], rec[2], rec[3]
        x = (time - t0) * 3600.0 + 1.0
        i = trunc(x)
        if iprev < i and iprev >= 1 and i <= n:
            dt = x - xprev
            a = x - float(i)
            b = float(i) - xprev
            ilat = (a * plat + b * lat) / dt
            ilon = (a * plon + b * lon) / dt
            ih = (a * ph + b * h) / dt
            if glat[i] < GRID_PRESENT:
                dlat[i] = ilat - glat[i]
                coslat[i] = math.cos(glat[i] * DEG2RAD)
            if glon[i] < GRID_PRESENT:
                dlon[i] = ilon - glon[i]
            if gh[i] < GRID_PRESENT:
                dh[i] = ih - gh[i]
        if iprev >= 1 and i <= n:
            buf.append(rec)
        xprev, iprev = x, i
        plat, plon, ph = lat, lon, h
    res.out("number of ins data read in wanted time interval: " + " " + str(len(buf)))

    # gap filling
    def has_present(s):
        return any(s[k] <= FILL_LIMIT for k in range(1, n + 1))

    if not (has_present(dlat) and has_present(dlon) and has_present(dh)):
        res.stderr.append(WARN_NO_DIFF)
    for s in (dlat, dlon, dh, coslat):
        nfill, maxgap = rfill(s, n)
    if nfill > 0:
        res.out("no of interpolated values in gps file:" + fmt_i(nfill, 6)
                + ", max gap:" + fmt_i(maxgap, 5) + " sec")

    # zero-phase filter
    if tau > 0:
        for s in (dlat, dlon, dh):
            rc(n, s, work, tau, 1.0, 1, 1)
            rc(n, work, s, tau, 1.0, 1, -1)

    # difference file and maximum separation
    posmax = 0.0
    tposmax = 0.0
    k = 0.0
    for i in range(1, n + 1):
        hr = k * INV3600
        dn = M_PER_DEG * dlat[i]
        de = M_PER_DEG * (coslat[i] * dlon[i])
        res.dif.append(fmt_f(hr + t0, 11, 7) + fmt_f(dn, 12, 3) + fmt_f(de, 12, 3)
                       + fmt_f(dh[i], 12, 3) + "\r\n")
        r = math.sqrt(de * de + dn * dn)
        if r > posmax:
            posmax = r
            tposmax = hr
        k += 1.0

    # draped output
    for rec in buf:
        time, lat, lon, h, a1, a2, a3 = rec
        if n >= 2:
            x = (time - t0) * 3600.0 + 1.0
            if x < 1.0:
                i, f = 1, 0.0
            elif x >= n:
                i, f = n - 1, 1.0
            else:
                i = trunc(x)
                f = x - float(i)
            w = 1.0 - f
            clat = w * dlat[i] + f * dlat[i + 1]
            clon = w * dlon[i] + f * dlon[i + 1]
            ch = w * dh[i] + f * dh[i + 1]
            lat, lon, h = lat - clat, lon - clon, h - ch
        elif n == 1:
            lat, lon, h = lat - dlat[1], lon - dlon[1], h - dh[1]
        res.pos.append(" " + fmt_f(time, 10, 7) + fmt_f(lat, 12, 7) + fmt_f(lon, 13, 7)
                       + fmt_f(h, 9, 2) + fmt_f(a1, 8, 3) + fmt_f(a2, 8, 3)
                       + fmt_f(a3, 9, 3) + "\r\n")

    if tposmax > 0:
        drift = posmax / tposmax * INV1852
        res.out("Maximum position error:" + fmt_f(posmax, 8, 1) + " m,"
                + fmt_f(drift, 8, 2) + " nm/hr")
    return res.files()


# ---------------------------------------------------------------- checks

def _close(a, b, tol=1e-12):
    return all(abs(x - y) <= tol * max(1.0, abs(y)) for x, y in zip(a, b)) and len(a) == len(b)


def selfcheck():
    r = RMISS
    nan = float("nan")
    inf = float("inf")

    def fill(vals):
        s = [0.0] + list(vals)
        nf, mg = rfill(s, len(vals))
        return s[1:], nf, mg

    cases = [
        ([1, 2, 3], [1, 2, 3], 0, 0),
        ([r, r, 3, 4], [3, 3, 3, 4], 2, 3),
        ([1, 2, r, r], [1, 2, 2, 2], 2, 2),
        ([1, r, r, 4], [1, 2, 3, 4], 2, 2),
        ([r, 2, r, r, r, 6, r, r], [2, 2, 3, 4, 5, 6, 6, 6], 6, 3),
        ([r, 5, 6], [5, 5, 6], 1, 2),
        ([1, r, -2, r, r, r, r, 9, r], [1, -0.5, -2, 0.2, 2.4, 4.6, 6.8, 9, 9], 6, 4),
        ([1, 9.98e9, r, 4], [1, 9.98e9, 3, 4], 1, 2),
        ([9.98e9, r, 3], [9.98e9, 3, 3], 1, 3),
        ([1, nan, 3], [1, 2, 3], 1, 1),
        ([r, r, r], [0, 0, 0], 3, 4),
        ([r], [0], 1, 2),
    ]
    for vin, want, wnf, wmg in cases:
        got, nf, mg = fill([float(v) for v in vin])
        assert (nf, mg) == (wnf, wmg), (vin, nf, mg)
        assert _close(got, [float(v) for v in want]), (vin, got)
    got, nf, mg = fill([1.0, r, r, 4.0])
    assert got == [1.0, 2.0, 3.0, 4.0]          # exactly
    got, nf, mg = fill([1.0, nan, nan, 4.0])
    assert got[0] == 1.0 and math.isnan(got[1]) and math.isnan(got[2]) and got[3] == 4.0
    assert (nf, mg) == (2, 1)
    got, nf, mg = fill([1.0, inf, 3.0])
    assert got == [1.0, 2.0, 3.0] and (nf, mg) == (1, 1)
    got, nf, mg = fill([-inf, r, 3.0])
    assert got[1] == -inf
    s = [0.0]
    assert rfill(s, 0) == (0, 0)

    def filt(vals, tau, npass, idir):
        vin = [0.0] + [float(v) for v in vals]
        vout = [0.0] * len(vin)
        rc(len(vals), vin, vout, tau, 1.0, npass, idir)
        return vout[1:]

    assert _close(filt([0, 1, 1, 1], 2.0, 1, 1), [0, 0.2, 0.52, 0.712])
    assert _close(filt([0, 1, 1, 1], 2.0, 1, -1), [0.8, 1, 1, 1])
    fwd = filt([0, 1, 1, 1], 2.0, 1, 1)
    assert _close(filt(fwd, 2.0, 1, -1), [0.368896, 0.54816, 0.6736, 0.712])
    assert _close(filt([0, 1, 1, 1], 2.0, 2, 1), [0, 0.04, 0.168, 0.3472])
    assert filt([1, 3, 5, 2], 0.5, 1, 1) == [1.0, 2.0, 4.0, 3.5]
    assert filt([7], 3.0, 2, 1) == [7.0] and filt([7], 3.0, 2, -1) == [7.0]
    assert filt([0, 1, 1, 1], 2.0, 1, 0) == filt([0, 1, 1, 1], 2.0, 1, -1)
    assert filt([0, 1, 1, 1], 2.0, 1, 2) == filt([0, 1, 1, 1], 2.0, 1, -1)
    assert filt([0, 1, 5, 1], 2.0, 0, 1) == [0.0, 1.0, 5.0, 1.0]
    assert _close(filt([4.25] * 50, 7.0, 1, 1), [4.25] * 50, 1e-15)
    vout = [9.0]
    rc(0, [0.0], vout, 2.0, 1.0, 1, 1)
    assert vout == [9.0]

    assert fmt_f(60.0, 6, 1) == "  60.0"
    assert fmt_f(12345.67, 6, 1) == "******"
    assert fmt_f(-0.0004, 8, 3) == "   0.000"
    assert fmt_f(-0.0, 8, 3) == "   0.000"
    assert fmt_f(0.5, 10, 7) == " 0.5000000"
    assert fmt_f(0.5, 9, 7) == "0.5000000"
    assert fmt_f(0.5, 8, 7) == ".5000000"
    assert fmt_f(0.125, 5, 2) == " 0.12"
    assert fmt_f(0.375, 5, 2) == " 0.38"
    assert fmt_f(1e9, 12, 3) == "************"
    assert fmt_f(nan, 8, 1) == "********"
    assert fmt_f(100.0, 10, 7) == "**********"
    assert fmt_f(-12.5, 6, 1) == " -12.5"
    assert fmt_i(123, 6) == "   123" and fmt_i(1234567, 6) == "******"

    assert nint(2.5) == 3 and nint(-2.5) == -3 and nint(0.49999999999999994) == 0
    assert trunc(-0.5) == 0 and trunc(2.9999) == 2
    assert nint((11.0 - 10.0) * 3600.0) + 1 == 3601
    assert nint((12.0 - 0.0) * 3600.0) + 1 == 43201

    # drift example: separations 0, 3, 5, 5, 4 m
    posmax, tposmax = 0.0, 0.0
    for k, sep in enumerate([0.0, 3.0, 5.0, 5.0, 4.0]):
        if sep > posmax:
            posmax, tposmax = sep, float(k) * INV3600
    assert tposmax == 2.0 * INV3600
    assert fmt_f(posmax / tposmax * INV1852, 8, 2) == "    4.86"

    # GPS time in its fourth day
    t = 3 * 86400 + 800.0
    iday = trunc(t * INV86400)
    assert iday == 3 and t - float(iday * 86400) == 800.0
    return True


def main(argv):
    if len(argv) > 1 and argv[1] == "--check":
        selfcheck()
        print("reference checks passed")
        return 0

    def read_file(name):
        with open(name, "r", newline="") as fh:
            return fh.read()

    out = run(sys.stdin.read(), read_file)
    sys.stdout.write(out["stdout"])
    sys.stderr.write(out["stderr"])
    for name in ("tolvek.dif", "tolvek.pos"):
        with open(name, "w", newline="") as fh:
            fh.write(out[name])
    return int(out["exit_code"])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
