#!/usr/bin/env python3
"""Runs mailpump as its installed user unit says: installs the build into a staging root, takes
the unit's ExecStart line and checks that the receiver tells the service manager it is ready, that
SIGTERM ends it cleanly through the exit sequence (Set.dat written again, exit status 0), and that a
restart keeps every file of Save and the settings.

Two ways, each taken where the machine allows it:
- under a real "systemd --user" (as root without systemd as PID 1, inside a private mount
  namespace that makes the user manager believe the system was booted with systemd):
  systemctl --user enable --now, restart and stop;
- always: the ExecStart line run by this script, which listens on a NOTIFY_SOCKET of its own.

Usage: check_service.py BUILD_DIR INSTALL_PREFIX
"""

import json
import os
import shlex
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SETTINGS = {"selfReceiving": 0, "interval": 10, "comPort": 1, "autostart": 0,
            "mailboxes": [{"name": "signs", "server": "127.0.0.1", "account": "signs",
                           "password": "secret", "port": 110}]}
KEPT = b"Z2500 sign data waiting for the sign"
WAIT_S = 20


def fail(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def install(build, stage):
    env = dict(os.environ, DESTDIR=stage)
    run = subprocess.run(["cmake", "--install", build], env=env, capture_output=True, text=True)
    if run.returncode != 0:
        fail("cmake --install: " + run.stdout + run.stderr)


def exec_start(unit_text, stage, home):
    """The unit's ExecStart as an argument list, its program inside the staging root."""
    lines = [l for l in unit_text.splitlines() if l.startswith("ExecStart=")]
    if len(lines) != 1:
        fail("the unit has %d ExecStart lines" % len(lines))
    argv = shlex.split(lines[0][len("ExecStart="):].replace("%h", home))
    argv[0] = stage + argv[0]
    return argv


def data_dir(argv):
    return argv[argv.index("--data-dir") + 1]


def prepare(argv, home):
    """A data directory with settings and a file in Save that was not yet forwarded."""
    data = data_dir(argv)
    os.makedirs(os.path.join(data, "Save"))
    with open(os.path.join(data, "Save", "Z1.bin"), "wb") as f:
        f.write(KEPT)
    path = os.path.join(home, "settings.json")
    with open(path, "w") as f:
        json.dump(SETTINGS, f)
    run = subprocess.run([argv[0], "--data-dir", data, "--import-settings", path],
                         capture_output=True, text=True)
    if run.returncode != 0:
        fail("--import-settings: " + run.stderr)
    return exported(argv)


def exported(argv):
    run = subprocess.run([argv[0], "--data-dir", data_dir(argv), "--export-settings"],
                         capture_output=True, text=True)
    if run.returncode != 0:
        fail("--export-settings: " + run.stderr)
    return run.stdout


def settings_written(argv):
    return os.stat(os.path.join(data_dir(argv), "Set.dat")).st_mtime_ns


def check_nothing_lost(argv, settings):
    with open(os.path.join(data_dir(argv), "Save", "Z1.bin"), "rb") as f:
        if f.read() != KEPT:
            fail("a file of Save changed")
    if exported(argv) != settings:
        fail("the settings changed:\n" + exported(argv))


# A sanitizer build's programs need their options (leak suppressions) wherever they run.
SANITIZER_OPTIONS = ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS")


def program_env(home):
    env = {"HOME": home, "PATH": "/usr/bin:/bin"}
    env.update({k: os.environ[k] for k in SANITIZER_OPTIONS if k in os.environ})
    return env


def with_sanitizer_options(unit_text):
    lines = ["Environment=%s=%s" % (k, os.environ[k]) for k in SANITIZER_OPTIONS
             if k in os.environ]
    return unit_text.replace("[Service]\n", "[Service]\n" + "".join(l + "\n" for l in lines), 1)


def expect_state(sock, state):
    try:
        got = sock.recv(4096).decode()
    except socket.timeout:
        fail("no %s on NOTIFY_SOCKET within %d s" % (state, WAIT_S))
    if state not in got.split("\n"):
        fail("expected %s, got %r" % (state, got))


def run_once(argv, home, sock_path, settings):
    """One start and SIGTERM of the ExecStart line; Set.dat is written again by the exit."""
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    sock.bind(sock_path)
    sock.settimeout(WAIT_S)
    env = program_env(home)
    env["NOTIFY_SOCKET"] = sock_path
    before = settings_written(argv)
    child = subprocess.Popen(argv, env=env, cwd="/", stderr=subprocess.PIPE, text=True)
    try:
        expect_state(sock, "READY=1")
        time.sleep(0.05)  # Set.dat's time stamp must be able to change.
        child.send_signal(signal.SIGTERM)
        expect_state(sock, "STOPPING=1")
        code = child.wait(WAIT_S)
    finally:
        if child.poll() is None:
            child.kill()
        sock.close()
        os.unlink(sock_path)
    err = child.stderr.read()
    if code != 0:
        fail("exit status %d after SIGTERM; stderr:\n%s" % (code, err))
    if settings_written(argv) == before:
        fail("the exit sequence did not write Set.dat")
    check_nothing_lost(argv, settings)
    return err


def check_direct(build, prefix):
    with tempfile.TemporaryDirectory() as stage:
        install(build, stage)
        home = os.path.join(stage, "home")
        unit = stage + prefix + "/lib/systemd/user/mailpump.service"
        with open(unit) as f:
            argv = exec_start(f.read(), stage, home)
        settings = prepare(argv, home)
        err = run_once(argv, home, os.path.join(stage, "notify"), settings)
        run_once(argv, home, os.path.join(stage, "notify"), settings)
        print("ExecStart run directly: READY=1, STOPPING=1, exit 0, restart kept Save and "
              "Set.dat; its stderr:\n" + err)


def systemctl(home, *args, check=True):
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
    run = subprocess.run(["systemctl", "--user", "--no-pager", *args], env=env,
                         capture_output=True, text=True)
    if check and run.returncode != 0:
        fail("systemctl --user %s: %s%s" % (" ".join(args), run.stdout, run.stderr))
    return run.stdout.strip()


def show(home, prop):
    return systemctl(home, "show", "mailpump", "-p", prop, "--value")


def under_user_manager(build, prefix):
    """Inside the private mount namespace: a user manager of its own runs the unit."""
    stage = tempfile.mkdtemp()
    manager = None
    try:
        install(build, stage)
        home = os.path.join(stage, "home")
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        if not os.path.isdir("/run/systemd/system"):
            fake = os.path.join(stage, "run-systemd")
            os.makedirs(os.path.join(fake, "system"))
            subprocess.run(["mount", "--bind", fake, "/run/systemd"], check=True)
        unit = stage + prefix + "/lib/systemd/user/mailpump.service"
        with open(unit) as f:
            text = f.read()
        argv = exec_start(text, stage, home)
        settings = prepare(argv, home)
        units = os.path.join(home, ".config", "systemd", "user")
        os.makedirs(units)
        staged = text.replace("ExecStart=" + argv[0][len(stage):], "ExecStart=" + argv[0])
        staged = with_sanitizer_options(staged)
        with open(os.path.join(units, "mailpump.service"), "w") as f:
            f.write(staged)
        env = {"HOME": home, "XDG_RUNTIME_DIR": runtime, "PATH": "/usr/bin:/bin"}
        manager = subprocess.Popen(["/lib/systemd/systemd", "--user"], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + WAIT_S
        while not os.path.exists(os.path.join(runtime, "systemd", "private")):
            if manager.poll() is not None or time.monotonic() > deadline:
                print("SKIP: systemd --user does not start here")
                return 0
            time.sleep(0.1)
        systemctl(home, "enable", "--now", "mailpump")
        if systemctl(home, "is-active", "mailpump") != "active":
            fail("not active after enable --now")
        first = show(home, "MainPID")
        before = settings_written(argv)
        systemctl(home, "restart", "mailpump")
        if systemctl(home, "is-active", "mailpump") != "active" or show(home, "MainPID") == first:
            fail("restart did not start a new mailpump")
        if settings_written(argv) == before:
            fail("the stop of the restart did not run the exit sequence")
        check_nothing_lost(argv, settings)
        systemctl(home, "stop", "mailpump")
        result, status = show(home, "Result"), show(home, "ExecMainStatus")
        if result != "success" or status != "0":
            fail("stop: Result=%s ExecMainStatus=%s" % (result, status))
        check_nothing_lost(argv, settings)
        print("systemctl --user enable --now, restart and stop: active, a clean stop, nothing lost")
        return 0
    finally:
        if manager is not None and manager.poll() is None:
            manager.terminate()
            try:
                manager.wait(WAIT_S)
            except subprocess.TimeoutExpired:
                manager.kill()
        shutil.rmtree(stage, ignore_errors=True)


def check_user_manager(build, prefix):
    if os.geteuid() != 0 or not shutil.which("unshare") or not os.path.exists(
            "/lib/systemd/systemd"):
        print("SKIP: a user manager of its own needs root, unshare and systemd")
        return
    if subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode != 0:
        print("SKIP: no private mount namespace here (unshare --mount is refused)")
        return
    run = subprocess.run(["unshare", "--mount", "--propagation", "private", sys.executable,
                          __file__, "--in-namespace", build, prefix])
    if run.returncode != 0:
        sys.exit(run.returncode)


def main():
    if sys.argv[1] == "--in-namespace":
        return under_user_manager(sys.argv[2], sys.argv[3])
    build, prefix = sys.argv[1], sys.argv[2]
    check_direct(build, prefix)
    check_user_manager(build, prefix)
    return 0


if __name__ == "__main__":
    sys.exit(main())
