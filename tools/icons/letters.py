#!/usr/bin/env python3
"""Letter images for the nine letter styles.

70 animated GIFs per style, named <name><digit>.gif: capitals A..Z, small
letters As..Zs (drawn lowercase), digits 0..9 and eight signs. Each is 32 px
high, as wide as its glyph plus a small margin, on a transparent background,
with a dark rim; after a short rest a light band sweeps across the glyph,
looping forever. Only ImageMagick draws; metadata is stripped so every run
writes the same bytes.

Usage: letters.py OUTDIR [STYLE...]   (styles 1..9, default all)
"""
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
FACES = {  # typeface per group of three styles
    "Jobbernole": DEJAVU + "DejaVuSerif-Bold.ttf",
    "Baltar": DEJAVU + "DejaVuSans-Bold.ttf",
    "GraphicLight": DEJAVU + "DejaVuSansMono-Bold.ttf",
}
COLOURS = {  # fill, rim, highlight
    "Red": ("#D81E1E", "#5A0000", "rgba(255,235,235,0.8)"),
    "Green": ("#1E9A2A", "#093A0E", "rgba(235,255,235,0.8)"),
    "Blue": ("#1E4ED8", "#081866", "rgba(235,242,255,0.8)"),
}
STYLES = [(face, colour) for face in ("Jobbernole", "Baltar", "GraphicLight")
          for colour in ("Red", "Green", "Blue")]

SIGNS = [("expl", "!"), ("period", "."), ("comma", ","), ("percent", "%"),
         ("question", "?"), ("at", "@"), ("money", "$"), ("and", "&")]


def glyphs():
    out = []
    for i in range(26):
        c = chr(ord("A") + i)
        out.append((c, c))
        out.append((c + "s", c.lower()))
    for d in "0123456789":
        out.append((d, d))
    out.extend(SIGNS)
    return out


CLEAN = ["+set", "date:create", "+set", "date:modify", "-strip"]
PT = "28"
H = 32


def run(args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def make(font, colours, text, path):
    fill, rim, hi = colours
    # "label:" reads "@" as "read from file"; a leading backslash escapes it.
    label = "label:" + ("\\" + text if text in "@\\" else text)
    base = ["convert", "-background", "none", "-font", font, "-pointsize", PT,
            "-fill", "white", label]
    lw, lh, box = run(base + ["-format", "%w %h %@", "info:"]).split()
    tw, rest = box.split("x", 1)
    tx = int(rest.split("+")[1])
    tw = int(tw)
    w = tw + 6
    args = base + [
        "-bordercolor", "none", "-border", "4x0",
        "-crop", "%dx%s+%d+0" % (w, lh, tx + 1), "+repage",
        "-gravity", "center", "-extent", "%dx%d" % (w, H), "-gravity", "northwest",
        "-write", "mpr:M", "+delete",
        "(", "mpr:M", "-channel", "A", "-morphology", "Dilate", "Disk:1", "+channel",
        "-fill", rim, "-colorize", "100", ")",
        "(", "mpr:M", "-fill", fill, "-colorize", "100", ")",
        "-compose", "Over", "-composite", "-write", "mpr:B", "+delete",
        "(", "mpr:B", "-set", "delay", "60", ")",
    ]
    for k in range(5):
        c = 6 + k * (w + 2) // 4
        band = "polygon %d,0 %d,0 %d,%d %d,%d" % (c - 2, c + 3, c - 5, H, c - 10, H)
        args += ["(", "mpr:B", "(", "-size", "%dx%d" % (w, H), "xc:none", "-fill", hi,
                 "-draw", band, ")", "-compose", "Atop", "-composite",
                 "-set", "delay", "10", ")"]
    args += ["-channel", "A", "-threshold", "50%", "+channel",
             "-loop", "0", "-layers", "Optimize"] + CLEAN + [path]
    run(args)


def main():
    out = sys.argv[1]
    styles = [int(s) for s in sys.argv[2:]] or list(range(1, 10))
    os.makedirs(out, exist_ok=True)
    jobs = []
    for d in styles:
        face, colour = STYLES[d - 1]
        for name, text in glyphs():
            jobs.append((FACES[face], COLOURS[colour], text,
                         os.path.join(out, "%s%d.gif" % (name, d))))
    workers = max(1, min(4, os.cpu_count() or 1))
    with ThreadPoolExecutor(workers) as pool:
        for f in [pool.submit(make, *j) for j in jobs]:
            f.result()


if __name__ == "__main__":
    main()
