#!/usr/bin/env python3
"""Finished 19 x 19 games of GNU Go against itself, with GNU Go's own judgement of the end.

Each game starts from a few random opening stones (so that the games differ), then GNU Go
plays both colours until two passes in a row. For the final position the file records what
the territory counter is measured against: the stones, the stones captured during the game,
GNU Go's dead stones and seki stones, and its Japanese-rules score.

GNU Go fills every neutral point before it passes. With --open the game is also written as
it would have ended between people who pass once only neutral points are left: the last
moves are taken back as far as each was played on a neutral point of the earlier position,
and that position is judged afresh (gameNNN-open.txt). A neutral point here is one GNU Go
calls neutral that lies between live stones of both colours and whose filling decides no
other point: its empty neighbours are neutral points taken back too, the fills capture
nothing, and a stone of either side on it leaves GNU Go's score as it is (no fill forces a
connection). GNU Go also calls neutral the points where a side must still connect inside its
own ground, and the points beside an open one whose side depends on who fills it; a game
stopped before those is not finished, and its score is what GNU Go's own playing on makes of
it, so they end the taking back. The score must stay the same as well.

    nice -n 10 scripts/gnugo_selfplay.py --games 45 --out /tmp/games [--open] \
        [--level 1,3,5] [--handicap 0,0,2,4]

The level and handicap of a game are picked from the lists by its seed, so a run is repeatable;
handicap games are played with komi 0.5 and start with the handicap stones (in the move list as
black moves answered by white passes).

One file per game, gameNNN.txt:
    seed S / level L / komi K / handicap H / moves B Q16 W D4 ... (pass as "pass")
    board: 19 lines of .XO, row 1 (the top, GTP row 19) first, column 1 (A) at the left
    dead: 19 lines of '.' and '#' (a stone GNU Go judges dead)
    seki: the same for stones GNU Go judges alive in seki
    territory: the same with 'b' and 'w' for the points GNU Go gives Black and White
    captures B W: stones captured by black, by white during the game
    score B+3.5 | W+12.5 | 0: GNU Go's final_score
    seconds T: the CPU time final_status_list dead and final_score took together (GNU Go's
        time for judging the position, for comparing the speed of the count)
Needs gnugo (Debian package gnugo) and Python 3; uses no network.
"""

import argparse
import concurrent.futures
import os
import random
import shutil
import subprocess
import sys

LETTERS = "ABCDEFGHJKLMNOPQRST"  # GTP columns skip I


class Gtp:
    def __init__(self, args):
        self.proc = subprocess.Popen(
            args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1
        )

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        lines = []
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("gnugo ended during: " + command)
            line = line.rstrip("\n")
            if line == "" and lines:
                break
            if line != "" or lines:
                lines.append(line)
        answer = "\n".join(lines)
        if answer.startswith("?"):
            raise RuntimeError(f"{command}: {answer}")
        return answer[1:].strip()

    def cpu_seconds(self):
        """CPU time GNU Go has used so far (Linux), so that its speed is not the machine's load."""
        try:
            with open(f"/proc/{self.proc.pid}/stat", encoding="ascii") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            return float("nan")

    def close(self):
        try:
            self.send("quit")
        except (RuntimeError, BrokenPipeError):
            pass
        self.proc.wait(timeout=30)


def vertex_to_cell(vertex):
    """GTP vertex (Q16) to (column 1..19 from the left, row 1..19 from the top)."""
    column = LETTERS.index(vertex[0].upper()) + 1
    return column, 20 - int(vertex[1:])


def cell_grid(vertices, mark):
    grid = [["."] * 19 for _ in range(19)]
    for v in vertices.split():
        column, row = vertex_to_cell(v)
        grid[row - 1][column - 1] = mark
    return grid


def random_opening(rng, count):
    """count distinct points on lines 3 to 5 from an edge, not next to each other."""
    chosen = []
    while len(chosen) < count:
        column = rng.choice([3, 4, 5, 15, 16, 17, 10])
        row = rng.choice([3, 4, 5, 15, 16, 17, 10])
        if all(abs(column - c) + abs(row - r) > 2 for c, r in chosen):
            chosen.append((column, row))
    return [f"{LETTERS[c - 1]}{20 - r}" for c, r in chosen]


def judge(engine, moves, seed, level, komi, handicap):
    """The file text for the current position of engine, moves being those that led to it."""
    board = [["."] * 19 for _ in range(19)]
    for mark, name in (("X", "black"), ("O", "white")):
        for v in engine.send(f"list_stones {name}").split():
            column, row = vertex_to_cell(v)
            board[row - 1][column - 1] = mark
    cpu = engine.cpu_seconds()
    dead = cell_grid(engine.send("final_status_list dead"), "#")
    score = engine.send("final_score")
    seconds = engine.cpu_seconds() - cpu
    seki = cell_grid(engine.send("final_status_list seki"), "#")
    territory = cell_grid(engine.send("final_status_list black_territory"), "b")
    for v in engine.send("final_status_list white_territory").split():
        column, row = vertex_to_cell(v)
        territory[row - 1][column - 1] = "w"
    captured_by_black = int(engine.send("captures black"))
    captured_by_white = int(engine.send("captures white"))

    lines = [f"seed {seed}", f"level {level}", f"komi {komi}", f"handicap {handicap}",
             "moves " + " ".join(("B " if c == "black" else "W ") + v for c, v in moves),
             "board"]
    lines += ["".join(r) for r in board]
    lines.append("dead")
    lines += ["".join(r) for r in dead]
    lines.append("seki")
    lines += ["".join(r) for r in seki]
    lines.append("territory")
    lines += ["".join(r) for r in territory]
    lines.append(f"captures {captured_by_black} {captured_by_white}")
    lines.append(f"score {score}")
    lines.append(f"seconds {seconds:.3f}")
    return "\n".join(lines) + "\n", score


def replay(engine, moves, komi):
    engine.send("clear_board")
    engine.send(f"komi {komi}")
    for colour, vertex in moves:
        if vertex.lower() != "pass":
            engine.send(f"play {colour} {vertex}")


def neighbours(vertex):
    column, row = vertex_to_cell(vertex)
    for c, r in ((column - 1, row), (column + 1, row), (column, row - 1), (column, row + 1)):
        if 1 <= c <= 19 and 1 <= r <= 19:
            yield f"{LETTERS[c - 1]}{20 - r}"


def only_neutral_points(engine, points):
    """Whether points, empty in engine's position, are neutral points in the strict sense of
    the module text: no other empty point beside them, and each connected run of them touches
    live stones of both colours."""
    black = set(engine.send("list_stones black").upper().split())
    white = set(engine.send("list_stones white").upper().split())
    dead = set(engine.send("final_status_list dead").upper().split())
    points = {p.upper() for p in points}
    for p in points:
        if any(n not in black and n not in white and n not in points for n in neighbours(p)):
            return False
    seen = set()
    for start in points:
        if start in seen:
            continue
        run, todo, touched = {start}, [start], set()
        while todo:
            p = todo.pop()
            for n in neighbours(p):
                if n in points and n not in run:
                    run.add(n)
                    todo.append(n)
                elif n not in dead:
                    touched |= {"black"} if n in black else {"white"} if n in white else set()
        seen |= run
        if touched != {"black", "white"}:
            return False
    return True


def open_ending(engine, moves, final_score, komi, max_back):
    """A shorter prefix of moves whose taken-back moves were all neutral-point fills, or None.

    Taking back k moves is accepted when GNU Go scores the earlier position the same, calls
    every taken-back point neutral there, the points are neutral in the strict sense of the
    module text and the moves captured nothing; the largest such k is searched by halving, as
    judging a position is what costs the time."""
    played = list(moves)
    while played and played[-1][1].lower() == "pass":
        played.pop()
    replay(engine, played, komi)
    captures = (engine.send("captures black"), engine.send("captures white"))

    def fills(back):
        prefix = played[:len(played) - back]
        taken = [v for _, v in played[len(played) - back:]]
        replay(engine, prefix, komi)
        if (engine.send("captures black"), engine.send("captures white")) != captures:
            return False
        if engine.send("final_score") != final_score:
            return False
        neutral = set(engine.send("final_status_list dame").upper().split())
        if not all(v.upper() in neutral for v in taken):
            return False
        return only_neutral_points(engine, taken)

    def first_deciding(back):
        """The index among the taken-back moves of the first point where a stone of either
        side changes GNU Go's score (a fill that forces a connection, or decides a point
        beside it, is not neutral), or None."""
        prefix = played[:len(played) - back]
        taken = [v for _, v in played[len(played) - back:]]
        replay(engine, prefix, komi)
        for i, vertex in enumerate(taken):
            for colour in ("black", "white"):
                try:
                    engine.send(f"play {colour} {vertex}")
                except RuntimeError:
                    return i  # a point one side may not fill is no neutral point
                changed = engine.send("final_score") != final_score
                engine.send("undo")
                if changed:
                    return i
        return None

    good, bad = 0, min(max_back, len(played)) + 1
    while bad - good > 1:
        back = (good + bad) // 2
        if fills(back):
            good = back
        else:
            bad = back
    # The halving settles on the cheap tests; the points are then tried one by one, and the
    # taking back stops after the last move that was not a neutral fill.
    while good > 0:
        deciding = first_deciding(good) if fills(good) else 0
        if deciding is None:
            break
        good = good - deciding - 1
    if good == 0:
        return None
    prefix = played[:len(played) - good]
    replay(engine, prefix, komi)
    return prefix


def play_game(gnugo, seed, level, komi, handicap, max_moves, with_open):
    """(filled text, open text or None), or None when the game did not finish."""
    rng = random.Random(seed)
    command = [gnugo, "--mode", "gtp", "--never-resign", "--japanese-rules",
               "--level", str(level), "--komi", str(komi), "--seed", str(seed)]
    engine = Gtp(command)
    try:
        engine.send("boardsize 19")
        engine.send("clear_board")
        engine.send(f"komi {komi}")
        moves = []
        colour = "black"
        opening = 4
        if handicap >= 2:
            # Handicap stones are recorded as black moves answered by white passes, so that
            # replaying the move list rebuilds the same position.
            for vertex in engine.send(f"fixed_handicap {handicap}").split():
                moves += [("black", vertex), ("white", "pass")]
            engine.send("clear_board")
            for colour_, vertex in moves:
                engine.send(f"play {colour_} {vertex}")
            colour = "white"
            opening = 2
        occupied = {v for _, v in moves}
        for vertex in [v for v in random_opening(rng, opening + len(occupied))
                       if v not in occupied][:opening]:
            engine.send(f"play {colour} {vertex}")
            moves.append((colour, vertex))
            colour = "white" if colour == "black" else "black"
        passes = 0
        while passes < 2 and len(moves) < max_moves:
            vertex = engine.send(f"genmove {colour}")
            moves.append((colour, vertex))
            passes = passes + 1 if vertex.lower() == "pass" else 0
            colour = "white" if colour == "black" else "black"
        if passes < 2:
            return None  # did not finish
        filled, score = judge(engine, moves, seed, level, komi, handicap)
        opened = None
        if with_open:
            prefix = open_ending(engine, moves, score, komi, 60)
            if prefix is not None:
                # A fresh GNU Go, as the one that searched has judged this position already and
                # would answer from what it remembers, which would make its time look nil.
                engine.close()
                engine = Gtp(command)
                engine.send("boardsize 19")
                replay(engine, prefix, komi)
                opened, _ = judge(engine, prefix, seed, level, komi, handicap)
    finally:
        engine.close()
    return filled, opened


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--games", type=int, default=45)
    parser.add_argument("--first-seed", type=int, default=1)
    parser.add_argument("--level", default="1",
                        help="GNU Go level, or a comma list chosen from by the seed")
    parser.add_argument("--handicap", default="0",
                        help="handicap stones (0 or 2..9), or a comma list chosen from by the seed")
    parser.add_argument("--komi", type=float, default=6.5)
    parser.add_argument("--max-moves", type=int, default=600)
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--open", action="store_true",
                        help="also write each game as ended before the neutral points were filled")
    parser.add_argument("--out", required=True)
    parser.add_argument("--gnugo", default=shutil.which("gnugo") or "/usr/games/gnugo")
    options = parser.parse_args()

    os.makedirs(options.out, exist_ok=True)
    seeds = range(options.first_seed, options.first_seed + options.games)

    def one(seed):
        path = os.path.join(options.out, f"game{seed:03d}.txt")
        if os.path.exists(path):
            return seed, "kept"
        levels = [int(x) for x in options.level.split(",")]
        handicaps = [int(x) for x in options.handicap.split(",")]
        level = levels[seed % len(levels)]
        handicap = handicaps[(seed // len(levels)) % len(handicaps)]
        komi = options.komi if handicap < 2 else 0.5
        texts = play_game(options.gnugo, seed, level, komi, handicap, options.max_moves,
                          options.open)
        if texts is None:
            return seed, "unfinished"
        filled, opened = texts
        if opened is not None:
            open_path = os.path.join(options.out, f"game{seed:03d}-open.txt")
            with open(open_path + ".part", "w", encoding="ascii") as f:
                f.write(opened)
            os.replace(open_path + ".part", open_path)
        with open(path + ".part", "w", encoding="ascii") as f:
            f.write(filled)
        os.replace(path + ".part", path)
        return seed, "written" + (" (and open)" if opened is not None else "")

    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        for seed, what in pool.map(one, seeds):
            print(f"game {seed}: {what}", flush=True)


if __name__ == "__main__":
    sys.exit(main())
