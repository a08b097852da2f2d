"""The coverage build shared by scripts/coverage and scripts/mutate.

build/coverage holds the native tests built with gcc's --coverage, without sanitizers and without
optimisation, configured from the work tree itself (it is only read). gcov reads the counters the
test binary leaves beside its objects and prints them as JSON, which is turned here into lines and
branches per source file.
"""

import gzip
import hashlib
import json
import os
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "coverage"
TESTS = BUILD / "orlimo_tests"

# The portable sources: src/ but the Win32 layer and the companion, which the native suite never
# builds.
NOT_PORTABLE = ("src/win32/", "src/companion/")
# The fakes the tests run the core against: portable, but test code rather than the program's.
FAKES = "src/platform/fake/"


def is_portable(relative):
    return relative.startswith("src/") and not relative.startswith(NOT_PORTABLE)


def sources_hash():
    """A hash of everything that decides what the tests build and run."""
    digest = hashlib.sha256()
    files = [ROOT / "CMakeLists.txt"]
    for folder in ("cmake", "src", "tests"):
        files += sorted(p for p in (ROOT / folder).rglob("*") if p.is_file())
    for path in files:
        digest.update(str(path.relative_to(ROOT)).encode() + b"\0")
        digest.update(path.read_bytes() + b"\0")
    return digest.hexdigest()[:16]


def run(command, **options):
    return subprocess.run(command, check=True, **options)


def build(quiet=False):
    """Configures (once) and builds the test binary with coverage counters."""
    if not (BUILD / "build.ninja").exists():
        run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-G", "Ninja",
             "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_CXX_FLAGS=-O0 --coverage",
             "-DCMAKE_EXE_LINKER_FLAGS=--coverage"], stdout=subprocess.DEVNULL)
    output = subprocess.DEVNULL if quiet else None
    run(["cmake", "--build", str(BUILD), "--target", "orlimo_tests", "-j2"], stdout=output)


def clear_counters():
    for counters in BUILD.rglob("*.gcda"):
        counters.unlink()


def counter_files(core_only):
    """The .gcda files to read: the core's objects, or every object of the tests."""
    folder = BUILD / "CMakeFiles" / "orlimo_core.dir" if core_only else BUILD / "CMakeFiles"
    return sorted(folder.rglob("*.gcda"))


def relative_source(path):
    try:
        return str(pathlib.Path(path).resolve().relative_to(ROOT))
    except ValueError:
        return None


def read_counters(core_only):
    """{source: {line: (count, [branch counts])}} for the portable sources, from the counters
    the last runs left. Instances of one line (templates, inline functions in several objects)
    are added together; branches that only an exception takes are left out."""
    files = counter_files(core_only)
    result = {}
    if not files:
        return result
    for start in range(0, len(files), 40):
        batch = files[start:start + 40]
        output = run(["gcov", "--json-format", "--stdout", "--branch-probabilities"] + [str(f) for f in batch],
                     cwd=BUILD, capture_output=True).stdout
        for document in output.splitlines():
            if not document.strip():
                continue
            for entry in json.loads(document)["files"]:
                relative = relative_source(entry["file"])
                if relative is None or not is_portable(relative):
                    continue
                lines = result.setdefault(relative, {})
                for line in entry["lines"]:
                    number = line["line_number"]
                    branches = [b["count"] for b in line["branches"] if not b["throw"]]
                    count, known = lines.get(number, (0, []))
                    merged = [a + b for a, b in zip(known, branches)]
                    merged += known[len(branches):] + branches[len(known):]
                    lines[number] = (count + line["count"], merged)
    return result


def covered_lines(core_only=True):
    """{source: set of lines run} from the last runs' counters."""
    return {source: {n for n, (count, _) in lines.items() if count > 0}
            for source, lines in read_counters(core_only).items()}


def run_tests(extra_arguments=(), **options):
    return subprocess.run([str(TESTS)] + list(extra_arguments), cwd=BUILD, **options)


def list_tests(binary):
    """The full names of the tests in a GoogleTest binary, in its order."""
    output = subprocess.run([str(binary), "--gtest_list_tests"], capture_output=True, text=True,
                            check=True).stdout
    names, suite = [], None
    for line in output.splitlines():
        if not line.strip() or line.startswith("Running main"):
            continue
        if not line.startswith(" "):
            suite = line.split("#")[0].strip()
        else:
            names.append(suite + line.split("#")[0].strip())
    return names


def write_json(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    temporary = path.with_suffix(path.suffix + ".tmp")
    with gzip.open(temporary, "wt") if path.suffix == ".gz" else open(temporary, "w") as out:
        json.dump(data, out)
    os.replace(temporary, path)


def read_json(path):
    with gzip.open(path, "rt") if path.suffix == ".gz" else open(path) as source:
        return json.load(source)
