#!/usr/bin/env python3
"""clang-tidy over the project's own sources (src, tools) with the repository's .clang-tidy.

    scripts/tidy.py BUILD_DIR [--cache DIR] [--jobs N]

Every finding fails the run. BUILD_DIR must be configured and built (compile commands and Qt's
generated sources). The compile commands are given to clang-tidy without the build's
precompiled header, which is GCC's and which clang cannot read.

With --cache, a unit is passed over when a run before passed it with the same input: the key is
a hash of clang-tidy's version, every .clang-tidy that applies to the unit, its compile command
and its preprocessed source (the unit with every header it includes), each with the checkout's
folder taken out, so that a clone in another folder shares the cache. A change to a header
changes the key of exactly the units that include it. Keys are recorded only for units that
passed, so a finding is reported again on every run until it is mended.
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import shutil
import subprocess
import sys

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
OWN_SOURCES = re.compile("^" + re.escape(ROOT) + r"/(src|tools)/.*\.cpp$")


def arguments_of(entry):
    if "arguments" in entry:
        return list(entry["arguments"])
    return shlex.split(entry["command"])


def without_precompiled_header(args):
    cleaned, i = [], 0
    while i < len(args):
        if args[i] == "-include" and i + 1 < len(args) and "cmake_pch" in args[i + 1]:
            i += 2
        elif args[i] == "-Winvalid-pch":
            i += 1
        else:
            cleaned.append(args[i])
            i += 1
    return cleaned


def preprocess_command(args):
    """The compile command turned into one that writes the preprocessed unit to standard output."""
    command, i = [], 0
    while i < len(args):
        arg = args[i]
        if arg in ("-o", "-MF", "-MT", "-MQ"):
            i += 2
            continue
        if arg in ("-c", "-MD", "-MMD"):
            i += 1
            continue
        command.append(arg)
        i += 1
    return command + ["-E", "-P"]


def tidy_configs(source):
    """Every .clang-tidy from the checkout's root down to the source's folder."""
    texts, folder = [], os.path.dirname(source)
    while folder.startswith(ROOT):
        config = os.path.join(folder, ".clang-tidy")
        if os.path.isfile(config):
            with open(config, "rb") as f:
                texts.append(os.path.relpath(config, ROOT).encode() + b"\0" + f.read())
        if folder == ROOT:
            break
        folder = os.path.dirname(folder)
    return texts


def unit_key(entry, args, version):
    digest = hashlib.sha256()
    root = ROOT.encode()
    digest.update(version)
    for text in tidy_configs(entry["file"]):
        digest.update(text)
    digest.update("\0".join(args).replace(ROOT, ".").encode())
    done = subprocess.run(preprocess_command(args), cwd=entry["directory"], capture_output=True)
    if done.returncode != 0:
        return None  # clang-tidy will report what is wrong
    digest.update(done.stdout.replace(root, b"."))
    return digest.hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--cache", help="pass over units unchanged since a run that passed them")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    options = parser.parse_args()

    tidy = shutil.which("clang-tidy") or shutil.which("clang-tidy-14")
    if not tidy:
        sys.exit("tidy: clang-tidy is not installed")
    database = os.path.join(options.build, "compile_commands.json")
    if not os.path.isfile(database):
        sys.exit(f"tidy: {database} is missing: build first")
    with open(database) as f:
        entries = [e for e in json.load(f) if OWN_SOURCES.match(os.path.realpath(e["file"]))]

    # clang-tidy reads its commands from a folder of their own, without the precompiled header.
    tidy_folder = os.path.join(os.path.abspath(options.build), "tidy")
    os.makedirs(tidy_folder, exist_ok=True)
    commands = []
    for entry in entries:
        args = without_precompiled_header(arguments_of(entry))
        commands.append({"directory": entry["directory"], "file": entry["file"], "arguments": args})
    with open(os.path.join(tidy_folder, "compile_commands.json"), "w") as f:
        json.dump(commands, f)

    version = subprocess.run([tidy, "--version"], capture_output=True).stdout
    if options.cache:
        os.makedirs(options.cache, exist_ok=True)

    def check(command):
        key = unit_key(command, command["arguments"], version) if options.cache else None
        if key and os.path.exists(os.path.join(options.cache, key)):
            return command["file"], None, True
        done = subprocess.run([tidy, "-quiet", "-p", tidy_folder, command["file"]],
                              capture_output=True, text=True)
        report = (done.stdout + done.stderr).strip()
        if done.returncode == 0 and key:
            with open(os.path.join(options.cache, key), "w"):
                pass
        return command["file"], (report if done.returncode != 0 else None), False

    failed, skipped = 0, 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        for source, report, cached in pool.map(check, commands):
            skipped += cached
            if report is not None:
                failed += 1
                print(f"tidy: {os.path.relpath(source, ROOT)}:\n{report}", flush=True)
    checked = len(commands) - skipped
    print(f"tidy: {checked} units checked, {skipped} unchanged since they passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
