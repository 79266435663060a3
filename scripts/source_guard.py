"""Puts one mutant at a time into a source file and always puts the original
bytes back: on success, on a failure, on Ctrl+C or a terminating signal. A
copy of the original waits in the build folder while a mutant is in place,
so even a run killed outright is repaired by the next one."""

import contextlib
import hashlib
import signal
from pathlib import Path


def digest(data):
    return hashlib.sha256(data).hexdigest()


def _interrupt(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


class SourceGuard:
    def __init__(self, root, backup_folder):
        self.root = Path(root)
        self.backups = Path(backup_folder)
        self.originals = {}  # path -> sha256 of the bytes found before the first mutant
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(sig, _interrupt)

    def recover(self):
        """Restores any file a killed run left mutated."""
        if not self.backups.exists():
            return
        for backup in sorted(p for p in self.backups.rglob("*") if p.is_file()):
            source = self.root / backup.relative_to(self.backups)
            data = backup.read_bytes()
            if not source.exists() or digest(source.read_bytes()) != digest(data):
                source.write_bytes(data)
                print(f"restored {source.relative_to(self.root)} left mutated by an earlier run")
            backup.unlink()

    @contextlib.contextmanager
    def mutated(self, path, line, new_line):
        """The file with line (1-based) replaced while the block runs."""
        source = self.root / path
        original = source.read_bytes()
        self.originals.setdefault(path, digest(original))
        if digest(original) != self.originals[path]:
            raise RuntimeError(f"{path} changed under the mutation run")
        backup = self.backups / path
        backup.parent.mkdir(parents=True, exist_ok=True)
        backup.write_bytes(original)
        lines = original.decode().split("\n")
        lines[line - 1] = new_line
        try:
            source.write_bytes("\n".join(lines).encode())
            yield
        finally:
            source.write_bytes(original)
            if digest(source.read_bytes()) == self.originals[path]:
                backup.unlink()

    def verify_all(self):
        """Every touched file back to its original bytes, checked by hash."""
        for path, expected in self.originals.items():
            source = self.root / path
            if digest(source.read_bytes()) != expected:
                source.write_bytes((self.backups / path).read_bytes())
            if digest(source.read_bytes()) != expected:
                raise RuntimeError(f"{path} could not be restored; its original is in {self.backups / path}")
        print(f"{len(self.originals)} mutated files verified back to their original bytes")
