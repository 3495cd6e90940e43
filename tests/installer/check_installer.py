#!/usr/bin/env python3
"""The setup program under Wine, in a fresh prefix: silent install, what it put
where, the help value in both registry views, the installed plug-ins' Help
command, the help page, installing twice and over an older build, a silent
uninstall that leaves nothing, an installation through the setup program's
pages (a host unticked, another folder named), and the .reg file of the manual installation
recording the same help folder as the setup program.

    check_installer.py --setup SETUP.exe --older-setup OLDER.exe
        --module-x86 Lumistra.8bf --module-x64 Lumistra.8bf --help-source DIR
        --help-check-x86 EXE --help-check-x64 EXE --host-x86 EXE --host-x64 EXE
        --setup-drive EXE --reg-file LumistraHelp.reg --work DIR [--page-screenshot PNG]

Runs on a display (xvfb-run). The setup programs are 64-bit builds of the
setup script: this Wine runs only what the machine runs, and 32-bit programs
may not run here at all; the 32-bit plug-in's Help check says so when skipped.
Prints one line per check and exits 1 when any failed.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import help_page  # noqa: E402

HELP_KEY = r"HKLM\SOFTWARE\MORVANE\TRX Plug-Ins\QNT\10"
VENDOR_KEY = r"HKLM\SOFTWARE\MORVANE"
UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LUMISTRA"
APP_PATHS_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths"
PROGRAMS_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
INSTALL_DIR = r"C:\Program Files\LUMISTRA"
OTHER_DIR = r"C:\My Host\Plug-ins"

failures = 0


def expect(ok, what):
    global failures
    print(("ok: " if ok else "FAILED: ") + what, flush=True)
    if not ok:
        failures += 1


class Wine:
    def __init__(self, prefix):
        self.prefix = prefix
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")

    def run(self, *arguments, wait_for_all=False, timeout=300):
        # Output goes through files, not pipes: the Wine server a call starts
        # inherits them and would hold a pipe open for as long as it lingers.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            status = subprocess.run(["wine", *arguments], env=self.env, stdout=out, stderr=err,
                                    timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            done = subprocess.CompletedProcess(
                arguments, status, out.read().decode(errors="replace"),
                err.read().decode(errors="replace"))
        if wait_for_all:
            # An uninstaller hands over to its copy in the temporary folder and
            # returns at once: wait until every program of the prefix has ended.
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout)
        return done

    def path(self, windows_path):
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C"
        return os.path.join(self.prefix, "drive_c", *[p for p in rest.split("\\") if p])

    def reg_value(self, key, value, view):
        done = self.run("reg", "query", key, "/v", value, f"/reg:{view}")
        for line in done.stdout.splitlines():
            fields = line.strip().split("    ")
            if len(fields) == 3 and fields[0] == value:
                return fields[1], fields[2]
        return None

    def reg_key_exists(self, key, view):
        return self.run("reg", "query", key, f"/reg:{view}").returncode == 0

    def reg_add(self, key, view, value=None, data=""):
        name = ["/ve"] if value is None else ["/v", value]
        self.run("reg", "add", key, *name, "/d", data, "/f", f"/reg:{view}")


def tree(root):
    listing = []
    for folder, _, files in os.walk(root):
        for name in files:
            listing.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/"))
    return sorted(listing)


def same_bytes(a, b):
    if not (os.path.isfile(a) and os.path.isfile(b)):
        return False
    with open(a, "rb") as first, open(b, "rb") as second:
        return first.read() == second.read()


class Hosts:
    """Host applications planted in the prefix, recorded where Windows programs
    record themselves, with what each should receive."""

    def __init__(self, wine, args):
        self.wine = wine
        self.expected = {}  # plug-ins folder -> the build it should hold (None: nothing)
        self.untouched = []  # files of the hosts that must survive everything

        def plant(folder, program, plugins, source_program, holds_filters, build):
            os.makedirs(wine.path(folder + "\\" + plugins), exist_ok=True)
            if program:
                shutil.copyfile(source_program, wine.path(folder + "\\" + program))
                self.untouched.append(wine.path(folder + "\\" + program))
            if holds_filters:
                existing = wine.path(folder + "\\" + plugins + "\\Filters\\Other.8bf")
                os.makedirs(os.path.dirname(existing), exist_ok=True)
                with open(existing, "wb") as file:
                    file.write(b"another filter")
                self.untouched.append(existing)
            self.expected[folder + "\\" + plugins] = build if holds_filters else None

        # A 64-bit program registered, quoted, in the 64-bit view's App Paths.
        plant(r"C:\Hosts\Paint64", "Paint64.exe", "Plug-ins", args.host_x64, True, "x64")
        wine.reg_add(APP_PATHS_KEY + r"\LumistraTestPaint64.exe", 64,
                     data=r'"C:\Hosts\Paint64\Paint64.exe"')
        # A 32-bit program in the 32-bit view's App Paths: its file says 32-bit.
        plant(r"C:\Hosts\Paint32", "Paint32.exe", "Plug-ins", args.host_x86, True, "x86")
        wine.reg_add(APP_PATHS_KEY + r"\LumistraTestPaint32.exe", 32,
                     data=r"C:\Hosts\Paint32\Paint32.exe")
        # Only a folder in the 32-bit view's list of installed programs.
        plant(r"C:\Hosts\Retouch", None, "Plugins", None, True, "x86")
        wine.reg_add(PROGRAMS_KEY + r"\LumistraTestRetouch", 32, "InstallLocation",
                     "C:\\Hosts\\Retouch\\")
        # A program with a plug-ins folder but no filter plug-ins is no host.
        plant(r"C:\Hosts\Player", "Player.exe", "Plug-ins", args.host_x64, False, None)
        wine.reg_add(APP_PATHS_KEY + r"\LumistraTestPlayer.exe", 64,
                     data=r"C:\Hosts\Player\Player.exe")
        # The folder named on the command line, for a 32-bit host.
        os.makedirs(wine.path(OTHER_DIR), exist_ok=True)
        self.expected[OTHER_DIR] = "x86"
        self.modules = {"x86": args.module_x86, "x64": args.module_x64}

    def check_copies(self, when):
        for folder, build in self.expected.items():
            copy = self.wine.path(folder + "\\Lumistra.8bf")
            if build is None:
                expect(not os.path.exists(copy), f"{when}: no copy in {folder}")
            else:
                expect(same_bytes(copy, self.modules[build]),
                       f"{when}: the {build} plug-in is in {folder}")

    def check_removed(self, when):
        for folder in self.expected:
            expect(not os.path.exists(self.wine.path(folder + "\\Lumistra.8bf")),
                   f"{when}: no plug-in left in {folder}")
        expect(all(os.path.isfile(path) for path in self.untouched),
               f"{when}: the hosts' own files are all still there")


def expected_tree(args):
    images = sorted(name for name in os.listdir(os.path.join(args.help_source, "images"))
                    if name.endswith(".png"))
    return sorted(["INSTALL.txt", "InstalledCopies.ini", "Uninstall.exe", "x86/Lumistra.8bf",
                   "x64/Lumistra.8bf", "Help/LumistraHelp.htm", "Help/LumistraHelp.css"] +
                  ["Help/images/" + name for name in images])


def check_installed(wine, args, hosts, when, install_dir=INSTALL_DIR, version=None):
    root = wine.path(install_dir)
    listing = tree(root) if os.path.isdir(root) else []
    expect(listing == expected_tree(args),
           f"{when}: {install_dir} holds exactly " + ", ".join(listing))
    for build, module in (("x86", args.module_x86), ("x64", args.module_x64)):
        expect(same_bytes(os.path.join(root, build, "Lumistra.8bf"), module),
               f"{when}: {build}\\Lumistra.8bf is the {build} build")
    expect(same_bytes(os.path.join(root, "Help", "LumistraHelp.htm"),
                      os.path.join(args.help_source, "LumistraHelp.htm")),
           f"{when}: the help page is the one of the source tree")
    for view in (32, 64):
        value = wine.reg_value(HELP_KEY, "HelpFile", view)
        expect(value == ("REG_SZ", install_dir + "\\Help\\"),
               f"{when}: HelpFile in the {view}-bit view reads {value}")
    entry = {name: wine.reg_value(UNINSTALL_KEY, name, 64)
             for name in ("DisplayName", "DisplayVersion", "UninstallString",
                          "QuietUninstallString", "InstallLocation")}
    expect(entry["UninstallString"] == ("REG_SZ", f'"{install_dir}\\Uninstall.exe"') and
           entry["QuietUninstallString"] == ("REG_SZ", f'"{install_dir}\\Uninstall.exe" /S') and
           entry["InstallLocation"] == ("REG_SZ", install_dir) and
           (version is None or entry["DisplayVersion"] == ("REG_SZ", version)),
           f"{when}: the uninstall entry: " +
           "; ".join(f"{name} {value[1] if value else None}" for name, value in entry.items()))
    hosts.check_copies(when)


def check_nothing_left(wine, hosts, when, install_dirs=(INSTALL_DIR,)):
    for folder in install_dirs:
        expect(not os.path.exists(wine.path(folder)), f"{when}: {folder} is gone")
    for view in (32, 64):
        expect(wine.reg_value(HELP_KEY, "HelpFile", view) is None and
               not wine.reg_key_exists(VENDOR_KEY, view),
               f"{when}: no HelpFile and no MORVANE key in the {view}-bit view")
        expect(not wine.reg_key_exists(UNINSTALL_KEY, view),
               f"{when}: no uninstall entry in the {view}-bit view")
    hosts.check_removed(when)


def install(wine, setup, *options):
    return wine.run(setup, "/S", *options, wait_for_all=True).returncode


def uninstall(wine, install_dir=INSTALL_DIR):
    return wine.run(install_dir + "\\Uninstall.exe", "/S", wait_for_all=True).returncode


def check_help_command(wine, args):
    for build, program, module in (("x64", args.help_check_x64, "x64"),
                                   ("x86", args.help_check_x86, "x86")):
        probe = wine.run(program)
        if probe.returncode != 2:
            print(f"skipped: the {build} plug-in's Help check: this machine cannot run "
                  f"{build} programs under Wine (exit {probe.returncode}; 32-bit programs "
                  "need the kernel's IA-32 emulation and wine32)", flush=True)
            continue
        done = wine.run(program, INSTALL_DIR + f"\\{module}\\Lumistra.8bf")
        for line in done.stdout.splitlines():
            print(f"  {build}: {line}")
        expect(done.returncode == 0,
               f"the installed {build} plug-in passes the Help command end to end")


def check_help_page(wine, args):
    folder = wine.path(INSTALL_DIR + "\\Help")
    missing = help_page.missing_references(os.path.join(folder, "LumistraHelp.htm"))
    expect(not missing, "every link and image of the installed help page exists" +
           (": missing " + ", ".join(missing) if missing else ""))
    rendered = help_page.render(os.path.join(folder, "LumistraHelp.htm"),
                                os.path.join(args.work, "help-page.png"))
    if rendered is None:
        print("skipped: the help page's rendering: chromium is not installed", flush=True)
        return
    errors, colours = rendered
    expect(not errors, "headless Chromium renders the help page without errors" +
           (": " + "; ".join(errors) if errors else ""))
    expect(colours >= 64, f"its screenshot is not blank ({colours} distinct colours)")
    if args.page_screenshot:
        shutil.copyfile(os.path.join(args.work, "help-page.png"), args.page_screenshot)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def check_typed_options(wine, args, hosts):
    """The options as INSTALL.txt writes them, from a command prompt: no copies
    into the hosts found, the 64-bit build into a quoted folder with a space."""
    shutil.copyfile(args.setup, wine.path(r"C:\LumistraSetup.exe"))
    with open(wine.path(r"C:\install.bat"), "w", newline="\r\n") as script:
        script.write(f'C:\\LumistraSetup.exe /S /NOHOSTS /PLUGINDIR="{OTHER_DIR}" /PLUGINARCH=x64\n'
                     "exit %ERRORLEVEL%\n")
    done = wine.run("cmd", "/c", r"C:\install.bat", wait_for_all=True)
    expect(done.returncode == 0, f"/S /NOHOSTS /PLUGINDIR=\"...\" /PLUGINARCH=x64 from a "
                                 f"command prompt exits with {done.returncode}")
    for folder in hosts.expected:
        copy = wine.path(folder + "\\Lumistra.8bf")
        if folder == OTHER_DIR:
            expect(same_bytes(copy, hosts.modules["x64"]),
                   f"typed options: the x64 plug-in is in {folder}")
        else:
            expect(not os.path.exists(copy), f"typed options: no copy in {folder}")
    expect(uninstall(wine) == 0, "silent uninstall after the typed options exits with 0")
    check_nothing_left(wine, hosts, "uninstalled after the typed options")
    os.remove(wine.path(r"C:\LumistraSetup.exe"))
    os.remove(wine.path(r"C:\install.bat"))


def check_pages(wine, args, hosts):
    """The setup program worked through its pages: the hosts found are offered
    ticked, an unticked one gets no copy, the folder named gets the 32-bit build."""
    done = wine.run(args.setup_drive, windows_path(args.setup), "Paint32", OTHER_DIR,
                    windows_path(os.path.join(args.work, "hosts-page.ppm")), wait_for_all=True)
    for line in done.stdout.splitlines():
        print("  pages: " + line)
    offered = [line for line in done.stdout.splitlines() if line.startswith("host: ")]
    expect(done.returncode == 0, f"the setup program's pages install (exit {done.returncode})")
    expect(sorted(offered) == sorted(f"host: {folder}  ({build}) (ticked)"
                                     for folder, build in hosts.expected.items()
                                     if build is not None and folder != OTHER_DIR),
           "the page offers exactly the planted hosts, each ticked with its architecture")
    for folder, build in hosts.expected.items():
        copy = wine.path(folder + "\\Lumistra.8bf")
        if "Paint32" in folder or build is None:
            expect(not os.path.exists(copy), f"pages: no copy in {folder}")
        else:
            expect(same_bytes(copy, hosts.modules[build]),
                   f"pages: the {build} plug-in is in {folder}")
    expect(uninstall(wine) == 0, "silent uninstall after the pages exits with 0")
    check_nothing_left(wine, hosts, "uninstalled after the pages")


def main():
    parser = argparse.ArgumentParser()
    for name in ("setup", "older-setup", "module-x86", "module-x64", "help-source",
                 "help-check-x86", "help-check-x64", "host-x86", "host-x64", "setup-drive",
                 "reg-file", "work"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--page-screenshot")
    args = parser.parse_args()

    print("note: the setup programs run here are the 64-bit build of the setup script; "
          "the 32-bit LumistraSetup.exe users get is made from the same script and "
          "cannot run on this machine", flush=True)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    wine = Wine(tempfile.mkdtemp(prefix="wine-prefix-", dir=args.work))
    subprocess.run(["wineboot", "-i"], env=wine.env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=600)
    subprocess.run(["wineserver", "-w"], env=wine.env, timeout=600)
    hosts = Hosts(wine, args)

    # Options that cannot be honoured refuse the installation before it begins.
    long_dir = "C:\\" + "L" * 230
    expect(install(wine, args.setup, "/D=" + long_dir) == 2 and
           not os.path.exists(wine.path(long_dir)),
           "a folder too long for the help address is refused (exit 2), nothing installed")
    expect(install(wine, args.setup, r"/PLUGINDIR=C:\No Such Host") == 2 and
           not os.path.exists(wine.path(INSTALL_DIR)),
           "a plug-ins folder that does not exist is refused (exit 2), nothing installed")

    expect(install(wine, args.setup, "/PLUGINDIR=" + OTHER_DIR, "/PLUGINARCH=x86") == 0,
           "silent install exits with 0")
    print("installed tree:")
    for path in tree(wine.path(INSTALL_DIR)):
        print("  " + INSTALL_DIR + "\\" + path.replace("/", "\\"))
    check_installed(wine, args, hosts, "installed")
    check_help_command(wine, args)
    check_help_page(wine, args)

    expect(install(wine, args.setup) == 0, "installing again exits with 0")
    check_installed(wine, args, hosts, "installed twice")
    expect(uninstall(wine) == 0, "silent uninstall exits with 0")
    check_nothing_left(wine, hosts, "uninstalled")

    # Over an older build in the same folder, then in another folder than the
    # one named for the new installation: the older one is removed from there.
    for older_dir, new_dir in ((INSTALL_DIR, INSTALL_DIR),
                               (r"C:\OlderLumistra", r"C:\NewLumistra")):
        older_options = [] if older_dir == INSTALL_DIR else ["/D=" + older_dir]
        new_options = [] if new_dir == INSTALL_DIR else ["/D=" + new_dir]
        expect(install(wine, args.older_setup, "/PLUGINDIR=" + OTHER_DIR, "/PLUGINARCH=x86",
                       *older_options) == 0 and
               wine.reg_value(UNINSTALL_KEY, "DisplayVersion", 64) == ("REG_SZ", "1.1.3"),
               f"the older build installs into {older_dir}")
        expect(install(wine, args.setup, *new_options) == 0,
               f"installing into {new_dir} over the older build in {older_dir}")
        when = f"over the older build in {older_dir}"
        check_installed(wine, args, hosts, when, new_dir, version="1.1.4")
        if older_dir != new_dir:
            expect(not os.path.exists(wine.path(older_dir)),
                   f"{when}: the older installation's folder is gone")
        expect(uninstall(wine, new_dir) == 0, "silent uninstall exits with 0")
        check_nothing_left(wine, hosts, f"uninstalled after the older build in {older_dir}",
                           {older_dir, new_dir})

    check_typed_options(wine, args, hosts)
    check_pages(wine, args, hosts)

    # The manual installation's .reg file names the folder the setup program uses.
    shutil.copyfile(args.reg_file, wine.path(r"C:\LumistraHelp.reg"))
    wine.run("regedit", "/S", r"C:\LumistraHelp.reg")
    for view in (32, 64):
        value = wine.reg_value(HELP_KEY, "HelpFile", view)
        expect(value == ("REG_SZ", INSTALL_DIR + "\\Help\\"),
               f"LumistraHelp.reg writes HelpFile {value} into the {view}-bit view")

    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
