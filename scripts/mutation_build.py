"""The mutation run's own build folder: configured once (optimised, no
sanitizers, no debug information, lld, ccache), rebuilt only for the targets a
mutant's file is linked into, and the tests that reach a file, each with a
time limit taken from its run on the unmutated code."""

import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

GL_CASES = """
for case in $("$0" --gtest_list_tests "$1" | awk '/^[^ ]/ {{suite = $1}} /^  / {{print suite $1}}'); do
    "$0" --gtest_brief=1 --gtest_filter="$case" || exit 1
done"""
# Test name -> (build target, command relative to the build folder). Fail fast
# everywhere: the first failure is all a mutant needs.
TESTS = {
    "unit_tests": ("unit_tests", ["{folder}/tests/unit_tests", "--gtest_fail_fast", "--gtest_brief=1"]),
    "player_bot": ("player_bot", ["{folder}/tests/player_bot"]),
    # One process a case, as CTest runs them (a case may leave GL state behind),
    # on one X server.
    "gl_tests": ("gl_tests", ["{root}/tests/xvfb_run.sh", "bash", "-c", GL_CASES, "{folder}/tests/gl_tests",
                              "--gtest_filter={gl_filter}"]),
    "game": ("vorlaxis", ["bash", "-c", 'for s in {e2e}; do bash "$0/tests/e2e/$s.sh" "$1" || exit 1; done',
                          "{root}", "{folder}/game"]),
    # What a player hears, the game through OpenAL's wave-file backend and
    # through a sound server killed and started again under it (the device
    # lost and back, M through it): for the files of audio/ only, which no
    # other test can hear.
    "sound": ("vorlaxis", ["bash", "-c", 'for s in sound sound_server; do bash "$0/tests/e2e/$s.sh" "$1" || exit 1; done',
                           "{root}", "{folder}/game"]),
}
# The end-to-end scripts that test the game binary where no test links a file:
# start-up, the choice of the game's folder, the status the loop hands the
# screen, and the ends and new galaxies it plays through.
E2E_SCRIPTS = "startup other_folder on_screen_text new_galaxy"
ORDER = list(TESTS)
HEADLESS = ("unit_tests", "player_bot")
GTEST = ("unit_tests", "gl_tests")
# The player bot sees the galaxy, the handlers and the render state, not the
# pixels or the sound: it cannot notice a fault in render/ or audio/.
BOT_BLIND = ("render", "audio")
# The real game is started only for the window layer, main(), the game loop and
# the new galaxy it starts (no headless test plays past a game's end).
GAME_FILES = ("platform/", "app/main.cpp", "app/game.cpp", "app/new_game.cpp")
FAILED_RE = re.compile(r"^\[  FAILED  \] (\w+\.\w+(?:/\w+)*)", re.M)
BINARIES = {"unit_tests": "tests/unit_tests", "player_bot": "tests/player_bot",
            "gl_tests": "tests/gl_tests", "game": "game/vorlaxis", "sound": "game/vorlaxis"}
# GL tests run for the folders that draw or own the window, and for any file
# the headless tests do not link.
GL_FOLDERS = ("render", "platform")
MIN_LIMIT_S = 10.0


def run_quietly(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kwargs)


def defined_symbols(path, strong_only):
    """The global symbols an object or binary defines, main left out: every
    test binary has one of its own."""
    out = run_quietly(["nm", "--defined-only", "-g", "--format=posix", str(path)]).stdout
    symbols = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[0] != "main" and (not strong_only or parts[1] in "TDBR"):
            symbols.add(parts[0])
    return symbols


class BuildFolder:
    def __init__(self, root, folder, gl_filter, timeout_factor):
        self.root = Path(root)
        self.folder = (self.root / folder).resolve()
        self.gl_filter = gl_filter
        self.factor = timeout_factor
        self.baseline = {}
        self.limits = {}
        self._reach = {}
        self._binary_symbols = {}

    def order(self, test):
        return ORDER.index(test)

    def prepare(self):
        """Configures the folder the first time and builds what the tests run."""
        if not (self.folder / "CMakeCache.txt").exists():
            generator = ["-G", "Ninja"] if shutil.which("ninja") else []
            launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
            linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []
            self._check(["cmake", "-S", str(self.root), "-B", str(self.folder), *generator, *launcher, *linker,
                         "-DVORLAXIS_WERROR=OFF", "-DVORLAXIS_TESTS=ON", "-DVORLAXIS_SANITIZE=OFF",
                         "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_CXX_FLAGS=-O1 -g0"], "configuring")
        targets = [target for target, _ in TESTS.values()]
        self._check(["cmake", "--build", str(self.folder), "-j2", "--target", *targets], "building")

    def _check(self, command, what):
        print(f"== {what} {self.folder.name}", flush=True)
        done = run_quietly(command)
        if done.returncode != 0:
            sys.exit(f"{what} failed:\n{done.stdout[-4000:]}")

    def build(self, test):
        target = TESTS[test][0]
        return run_quietly(["cmake", "--build", str(self.folder), "-j2", "--target", target]).returncode == 0

    def tests_reaching(self, path):
        """The tests whose binaries link the file, in the order they run."""
        if path not in self._reach:
            self._reach[path] = self._find_reach(path)
        return self._reach[path]

    def _find_reach(self, path):
        folder = path.split("/")[0]
        if path.endswith(".h"):
            linked = list(HEADLESS) + ["gl_tests"]
        else:
            objects = list(self.folder.glob(f"CMakeFiles/*.dir/{path}.o"))
            if not objects:
                return []
            own = defined_symbols(objects[0], True) or defined_symbols(objects[0], False)
            linked = [t for t in ORDER if own & self._symbols_of(t)]
            if not own and "main" in run_quietly(["nm", "--defined-only", str(objects[0])]).stdout.split():
                linked = ["game"]  # the game's own main()
        if "game" in linked and not path.startswith(GAME_FILES):
            linked.remove("game")
        if "sound" in linked and folder != "audio":
            linked.remove("sound")
        if "player_bot" in linked and folder in BOT_BLIND:
            linked.remove("player_bot")
        if "gl_tests" in linked and folder not in GL_FOLDERS and any(t in linked for t in HEADLESS):
            linked.remove("gl_tests")
        return linked

    def _symbols_of(self, test):
        if test not in self._binary_symbols:
            self._binary_symbols[test] = defined_symbols(self.folder / BINARIES[test], False)
        return self._binary_symbols[test]

    def _command(self, test, gtest_filter):
        values = {"root": str(self.root), "folder": str(self.folder), "gl_filter": self.gl_filter, "e2e": E2E_SCRIPTS}
        command = [part.format(**values) for part in TESTS[test][1]]
        if gtest_filter is not None:
            command = [c for c in command if not c.startswith("--gtest_filter=")] + [f"--gtest_filter={gtest_filter}"]
        return command

    def _environment(self):
        env = dict(os.environ, VORLAXIS_GAME_DIR=str(self.folder / "game"), ALSOFT_DRIVERS="null")
        env.pop("DISPLAY", None)  # the GL tests and the game get an X server of their own
        return env

    def run_test(self, test, limit=None, gtest_filter=None):
        """(passed, failed or timeout; the gtest cases that failed); a timeout
        ends the whole process group."""
        limit = limit or self.limits[test]
        log = self.folder / "mutate-test.log"
        # From where the compiler ran: under ccache's base folder __FILE__ is relative to it.
        with open(log, "w") as out:
            process = subprocess.Popen(self._command(test, gtest_filter), cwd=self.folder,
                                       env=self._environment(), stdout=out, stderr=subprocess.STDOUT,
                                       start_new_session=True)
        try:
            code = process.wait(timeout=limit)
            failed = FAILED_RE.findall(log.read_text(errors="replace")) if test in GTEST else []
            return ("passed" if code == 0 else "failed"), list(dict.fromkeys(failed))
        except subprocess.TimeoutExpired:
            return "timeout", []
        finally:
            if process.poll() is None or test in ("gl_tests", "game", "sound"):
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            process.wait()

    def measure_baseline(self, tests, known=None):
        """Each test on the unmutated code: it must pass, and its time sets the
        limit; known times (a run of a moment ago) are taken as they are."""
        for test in tests:
            if known and test in known:
                self.baseline[test] = known[test]
                self.limits[test] = max(MIN_LIMIT_S, self.factor * known[test])
                print(f"baseline {test}: {known[test]:.1f} s as measured before", flush=True)
                continue
            began = time.monotonic()
            outcome, _ = self.run_test(test, limit=900)
            seconds = time.monotonic() - began
            if outcome != "passed":
                sys.exit(f"{test} does not pass on the unmutated code ({outcome}); fix that first")
            self.baseline[test] = round(seconds, 1)
            self.limits[test] = max(MIN_LIMIT_S, self.factor * seconds)
            print(f"baseline {test}: {seconds:.1f} s, limit {self.limits[test]:.0f} s", flush=True)
