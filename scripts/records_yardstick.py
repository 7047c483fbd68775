#!/usr/bin/env python3
"""Real finished games from SGF records, as a yardstick for the territory counter.

Each 19 x 19 record whose result is a margin (RE[B+3.5], RE[W+12.5], RE[0]) is replayed in
GNU Go and written in the file format of gnugo_selfplay.py (see there), with two changes:

    score: the result the players recorded, the reference the count is measured against
    gnugo: GNU Go's own Japanese-rules score of the final position, for comparison

The dead stones and territory in the file are still GNU Go's judgement: they only show where a
count differs. Records resigned, lost on time, of another size or without a komi are skipped.
Every game is taken as ended with its neutral points open (gameNAME-open.txt), as people end
them.

    nice -n 10 scripts/records_yardstick.py --out /tmp/records games/*.sgf
    build/bench/estimate_compare /tmp/records

Positions in the text format of the online-go.com score estimator's test set (FILE.game: a
"height 19" / "width 19" header, 19 rows of 1 black, -1 white, 0 empty, a blank line and 19
rows with 1 on each stone the players removed as dead) are written with the players' dead
stones instead of GNU Go's and no score; beside them "gnugo-wrong N", the stones GNU Go judges
otherwise than the players.

Needs gnugo (Debian package gnugo) and Python 3; uses no network.
"""

import argparse
import os
import re
import shutil
import sys

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gnugo_selfplay import LETTERS, Gtp, cell_grid, judge  # noqa: E402


def property_of(text, name):
    match = re.search(r"(?<![A-Z])" + name + r"\[([^\]]*)\]", text)
    return match.group(1).strip() if match else None


def margin(result):
    """The recorded result as GNU Go writes a score (B+3.5, W+12.5, 0), or None."""
    if result in ("0", "Draw", "Jigo"):
        return "0"
    match = re.fullmatch(r"([BW])\+(\d+(?:\.\d+)?)", result or "")
    if not match:
        return None
    value = float(match.group(2))
    return f"{match.group(1)}+{value:g}" if value else "0"


def marked_position(path, gnugo):
    """The file text for a position with the players' dead stones, or None when it has none."""
    rows = []
    with open(path, encoding="ascii", errors="replace") as f:
        for line in f:
            fields = line.split()
            if fields and all(re.fullmatch(r"-?[01]", x) for x in fields):
                rows.append(fields)
    if len(rows) != 38 or any(len(r) != 19 for r in rows):
        return None
    board = ["".join({"1": "X", "-1": "O", "0": "."}[x] for x in r) for r in rows[:19]]
    dead = ["".join("#" if x == "1" and board[y][c] != "." else "." for c, x in enumerate(r))
            for y, r in enumerate(rows[19:])]
    engine = Gtp([gnugo, "--mode", "gtp", "--japanese-rules"])
    try:
        engine.send("boardsize 19")
        engine.send("clear_board")
        for y, line in enumerate(board):
            for c, stone in enumerate(line):
                if stone != ".":
                    colour = "black" if stone == "X" else "white"
                    engine.send(f"play {colour} {LETTERS[c]}{19 - y}")
        theirs = cell_grid(engine.send("final_status_list dead"), "#")
    finally:
        engine.close()
    wrong = sum(1 for y in range(19) for c in range(19)
                if board[y][c] != "." and (theirs[y][c] == "#") != (dead[y][c] == "#"))
    lines = ["seed 0", "level 0", "komi 6.5", "handicap 0", "moves", "board", *board, "dead",
             *dead, "captures 0 0", f"gnugo-wrong {wrong}"]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--gnugo", default=shutil.which("gnugo") or "/usr/games/gnugo")
    parser.add_argument("records", nargs="+")
    options = parser.parse_args()
    os.makedirs(options.out, exist_ok=True)
    written = skipped = 0
    for path in options.records:
        name = re.sub(r"[^A-Za-z0-9_-]", "_", os.path.splitext(os.path.basename(path))[0])
        target = os.path.join(options.out, f"game{name}-open.txt")
        if path.endswith(".game"):
            body = marked_position(path, options.gnugo)
            if body is None:
                skipped += 1
                continue
            with open(target + ".part", "w", encoding="ascii") as f:
                f.write(body)
            os.replace(target + ".part", target)
            written += 1
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        reference = margin(property_of(text, "RE"))
        komi = property_of(text, "KM")
        if reference is None or komi is None or (property_of(text, "SZ") or "19") != "19":
            skipped += 1
            continue
        engine = Gtp([options.gnugo, "--mode", "gtp", "--japanese-rules"])
        try:
            engine.send(f"loadsgf {os.path.abspath(path)}")
            body, score = judge(engine, [], 0, 0, komi, 0)
        finally:
            engine.close()
        body = body.replace(f"score {score}\n", f"score {reference}\ngnugo {score}\n")
        with open(target + ".part", "w", encoding="ascii") as f:
            f.write(body)
        os.replace(target + ".part", target)
        written += 1
    print(f"{written} written, {skipped} skipped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
