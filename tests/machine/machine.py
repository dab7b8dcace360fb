#!/usr/bin/env python3
"""Builds a scripted Windows machine inside a Wine prefix for end-to-end runs
and the demo: uninstall entries and other registry values (imported with
regedit), MathType's and WPS's folders and files, and desktop shortcuts
(written by make_shortcut.exe).

Windows paths are given in Windows form; C:\\ maps to the prefix's drive_c.
Writes into --out: machine.reg, shortcuts.txt (link<TAB>target), and
hives.txt and logged_on.txt for other accounts. Those (--account and the
--account-* options) get a ProfileList entry, a profile folder and a hive:
their keys go to a key list for make_hive.exe, named in hives.txt, which
saves them as the profile's NTUSER.DAT; a logged-on account's hive is left
loaded below HKEY_USERS\\<SID> (logged_on.txt). See
scripts/lib/wine-registry.sh.

With --win64 the prefix is a 64-bit Windows. Its `wine regedit` is the
64-bit one, so the machine-wide keys of 32-bit programs (MathType, the
background entries, a 32-bit WPS) go below HKLM\\SOFTWARE\\Wow6432Node,
which is the 32-bit view a 32-bit program reads, and 64-bit keys (a 64-bit
WPS) go below HKLM\\SOFTWARE itself, as on real 64-bit Windows.
"""
import argparse
import os
import sys

UNINSTALL = r"SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
WPS_COMMON = r"Software\Kingsoft\Office\6.0\Common"
PROFILE_LIST = r"SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList"
SHELL_FOLDERS = r"Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def wine_user(prefix):
    users = os.path.join(prefix, "drive_c", "users")
    for name in sorted(os.listdir(users)):
        if name != "Public":
            return name
    sys.exit("no user folder in " + users)


def unix_path(prefix, windows_path):
    drive, rest = windows_path.split(":", 1)
    assert drive.upper() == "C", windows_path
    parts = [p for p in rest.split("\\") if p]
    return os.path.join(prefix, "drive_c", *parts)


def reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def reg_expand(text):
    data = (text + "\0").encode("utf-16-le")
    return "hex(2):" + ",".join("%02x" % b for b in data)


def windows_of_unix(path):
    """The Windows form of a Unix path, through Wine's Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Account:
    """Another user of the machine: SID, profile folder and what its own
    HKEY_CURRENT_USER holds, as (key, name, type, data) rows below the hive's
    root, type "sz" or "expand_sz"."""

    def __init__(self, sid, profile):
        self.sid = sid
        self.profile = profile
        self.rows = []
        self.desktop = r"%USERPROFILE%\Desktop"
        self.shortcuts = []
        self.folder = True
        self.hive = True
        self.logged_on = False

    def row(self, key, name, type_name, data):
        for text in (key, name, data):
            if "\t" in text or "\n" in text:
                sys.exit("a hive value cannot hold a tab or a line break: %r" % text)
        self.rows.append((key, name, type_name, data))

    def desktop_folder(self):
        """Where the account's desktop lies, for its shortcuts: only
        %USERPROFILE% is expanded here."""
        folder = self.desktop.replace("%USERPROFILE%", self.profile)
        if "%" in folder:
            sys.exit("give the desktop of %s without other variables" % self.sid)
        return folder


class Machine:
    def __init__(self, prefix, win64=False):
        self.prefix = prefix
        self.win64 = win64
        self.user = wine_user(prefix)
        self.desktop = "C:\\users\\%s\\Desktop" % self.user
        self.keys = []  # (key path, [(name, encoded value)])
        self.shortcuts = []
        self.accounts = {}  # by SID, in declaration order

    def key(self, place, path):
        """The full path of a key below SOFTWARE in a registry place:
        "machine" (the view a 32-bit program sees), "machine64" (the 64-bit
        view) or "user"."""
        if place == "user":
            return "HKEY_CURRENT_USER\\" + path
        if place == "system":
            # The system's own keys, which 64-bit Windows keeps in its 64-bit
            # view only: there regedit is the 64-bit one.
            return "HKEY_LOCAL_MACHINE\\" + path
        if place == "machine64":
            if not self.win64:
                sys.exit("the 64-bit view needs a 64-bit prefix (--win64)")
            return "HKEY_LOCAL_MACHINE\\" + path
        assert place == "machine", place
        if self.win64:
            first, rest = path.split("\\", 1)
            assert first.upper() == "SOFTWARE", path
            return "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + rest
        return "HKEY_LOCAL_MACHINE\\" + path

    def entry(self, subkey, values, place="machine"):
        self.keys.append((self.key(place, UNINSTALL) + "\\" + subkey, values))

    def value(self, place, path, name, encoded):
        self.keys.append((self.key(place, path), [(name, encoded)]))

    def file(self, path, content=b""):
        target = unix_path(self.prefix, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(content)

    def folder(self, path):
        os.makedirs(unix_path(self.prefix, path), exist_ok=True)

    def account(self, sid):
        if sid not in self.accounts:
            sys.exit("declare the account %s with --account first" % sid)
        return self.accounts[sid]

    def write_accounts(self, out):
        """ProfileList entries, profile folders and shortcuts now; the hives
        as key lists for make_hive.exe, in hives.txt (key list, NTUSER.DAT), and the
        logged-on users in logged_on.txt (SID, NTUSER.DAT)."""
        hives, logged_on = [], []
        for number, a in enumerate(self.accounts.values()):
            self.keys.append((self.key("system", PROFILE_LIST) + "\\" + a.sid,
                              [("ProfileImagePath", reg_expand(a.profile))]))
            if not a.folder:
                continue
            self.folder(a.profile)
            self.folder(a.desktop_folder())
            for link, target in a.shortcuts:
                self.shortcuts.append((a.desktop_folder() + "\\" + link, target))
            if not a.hive:
                continue
            key_list = os.path.join(out, "hive-%d.tsv" % number)
            with open(key_list, "w", encoding="utf-8", newline="\n") as f:
                for row in a.rows + [(SHELL_FOLDERS, "Desktop", "expand_sz", a.desktop)]:
                    f.write("\t".join(row) + "\n")
            ntuser = a.profile + "\\NTUSER.DAT"
            hives.append((windows_of_unix(key_list), ntuser))
            if a.logged_on:
                logged_on.append((a.sid, ntuser))
        for name, rows in (("hives.txt", hives), ("logged_on.txt", logged_on)):
            with open(os.path.join(out, name), "w", encoding="utf-8") as f:
                for row in rows:
                    f.write("\t".join(row) + "\n")

    def write(self, out):
        os.makedirs(out, exist_ok=True)
        self.write_accounts(out)
        lines = ["Windows Registry Editor Version 5.00", ""]
        for key, values in self.keys:
            lines.append("[%s]" % key)
            for name, encoded in values:
                lines.append("%s=%s" % (reg_string(name), encoded))
            lines.append("")
        with open(os.path.join(out, "machine.reg"), "wb") as f:
            f.write("\ufeff".encode("utf-16-le") + "\r\n".join(lines).encode("utf-16-le"))
        with open(os.path.join(out, "shortcuts.txt"), "w", encoding="utf-8") as f:
            for link, target in self.shortcuts:
                f.write("%s\t%s\n" % (link, target))


def add_background(m, count):
    """The real uninstall entries of tests/data, repeated with numbered
    names until `count` entries exist."""
    rows = []
    with open(os.path.join(DATA, "uninstall", "entries.tsv"), encoding="utf-8") as f:
        header = f.readline().rstrip("\n").split("\t")
        for line in f:
            cells = line.rstrip("\n").split("\t")
            rows.append(dict(zip(header, cells + [""] * (len(header) - len(cells)))))
    for i in range(count):
        row = rows[i % len(rows)]
        name = row["subkey"] if i < len(rows) else "%s #%d" % (row["subkey"], i // len(rows))
        values = []
        for value in ("DisplayName", "Publisher"):
            if row[value] and row[value] != "(missing)":
                values.append((value, reg_string(row[value])))
        command = row["UninstallString"]
        if command and command != "(missing)":
            enc = reg_expand(command) if row["UninstallString_type"] == "REG_EXPAND_SZ" \
                else reg_string(command)
            values.append(("UninstallString", enc))
        m.entry(name, values)


def reg_hex(type_number, data):
    """Raw value data in regedit's hex notation: hex(1) is REG_SZ, hex(7)
    REG_MULTI_SZ, and so on; the data is UTF-16LE for the string types."""
    tag = "hex" if type_number == 3 else "hex(%x)" % type_number
    return tag + ":" + ",".join("%02x" % b for b in data)


def wide(text):
    return text.encode("utf-16-le")


def long_name(i, length):
    return ("L%05d" % i) + "n" * (length - 6)


def add_junk(m, count):
    """Entries a careless installer leaves behind, one kind after another:
    values of the wrong type (a MathType display name among them, which must
    not count), values whose ANSI form ends in a byte of 0x80 or above,
    entries without values, subkey names of 254, 255, 256 and 300
    characters, empty and unexpandable strings, and every thousandth entry
    with 64 KiB strings. No junk display name contains "mathtype" or "wps"
    as a usable string, so the junk alone never shows a box."""
    for i in range(count):
        kind = i % 10
        command = reg_string("C:\\Junk\\%05d\\uninst.exe" % i)
        if kind == 0:
            m.entry("Junk %05d dword" % i, [("DisplayName", "dword:00000001"),
                                            ("UninstallString", reg_hex(3, b"\x01\x02\x03"))])
        elif kind == 1:
            m.entry("Junk %05d types" % i, [
                ("DisplayName", reg_hex(7, wide("MathType 7\0\0"))),
                ("Publisher", reg_hex(3, b"WIRIS")),
                ("UninstallString", command)])
        elif kind == 2:
            # The euro sign is the single byte 0x80 in code page 936: the
            # ANSI text ends in a byte that a double-byte walk takes as a
            # lead byte, right before the NUL.
            m.entry("Junk %05d lead" % i, [
                ("DisplayName", reg_hex(1, wide("Junk\u20ac\0"))),
                ("Publisher", reg_hex(1, wide("\u20ac\0"))),
                ("UninstallString", reg_hex(1, wide("C:\\j\\u.exe \u20ac\0")))])
        elif kind == 3:
            m.entry("Junk %05d empty" % i, [])
        elif kind in (4, 5, 6, 7):
            length = {4: 254, 5: 255, 6: 256, 7: 300}[kind]
            m.entry(long_name(i, length), [("DisplayName", reg_string("long %d" % length)),
                                           ("Publisher", reg_string("Junk Corp")),
                                           ("UninstallString", command)])
        elif kind == 8:
            m.entry("Junk %05d blank" % i, [("DisplayName", reg_hex(1, b"")),
                                            ("Publisher", reg_hex(1, wide("\0"))),
                                            ("UninstallString", reg_expand("%PELMORA_UNSET%\\u.exe"))])
        elif i % 1000 == 9:
            m.entry("Junk %05d huge" % i, [("DisplayName", reg_string("x" * 65536)),
                                           ("Publisher", reg_string("y" * 65536)),
                                           ("UninstallString", reg_string("C:\\j\\" + "z" * 65536))])
        else:
            m.entry("Junk %05d tool" % i, [("DisplayName", reg_string("Junk tool %d" % i)),
                                           ("Publisher", reg_string("Junk Corp")),
                                           ("UninstallString", command)])


def wps_entry(wps_root, version):
    """The values of WPS's uninstall entry, as plain texts."""
    return [("DisplayName", "WPS Office (%s)" % version),
            ("Publisher", "Kingsoft Corp."),
            ("UninstallString", "%s\\%s\\utility\\uninst.exe" % (wps_root, version))]


def add_wps_folders(m, wps_root, versions):
    m.file(wps_root + "\\ksolaunch.exe", b"MZ ksolaunch")
    for version in versions:
        m.folder(wps_root + "\\" + version + "\\office6\\startup")
        m.file(wps_root + "\\" + version + "\\utility\\uninst.exe", b"MZ uninst")


def add_wps_program_64(m, version_folder):
    """A 64-bit wps.exe: the prefix's 64-bit notepad.exe stands in."""
    with open(os.path.join(m.prefix, "drive_c", "windows", "system32", "notepad.exe"), "rb") as f:
        m.file(version_folder + "\\office6\\wps.exe", f.read())


def sid_and(option):
    sid, _, rest = option.partition(":")
    return sid, rest


def add_accounts(m, args, versions):
    for option in args.account:
        sid, profile = sid_and(option)
        if not profile:
            sys.exit("--account needs SID:PROFILE, got %r" % option)
        m.accounts[sid] = Account(sid, profile)
    for sid in args.account_logged_on:
        m.account(sid).logged_on = True
    for sid in args.account_without_folder:
        m.account(sid).folder = False
    for sid in args.account_without_hive:
        m.account(sid).hive = False

    def wps_root(a):
        return a.profile + "\\AppData\\Local\\Kingsoft\\WPS Office"

    for sid in args.account_wps + args.account_wps_folders:
        if m.account(sid).folder:
            add_wps_folders(m, wps_root(m.account(sid)), versions)
    for sid in args.account_wps:
        a = m.account(sid)
        for name, text in wps_entry(wps_root(a), versions[-1]):
            a.row(UNINSTALL + "\\Kingsoft Office", name, "sz", text)
    for sid in args.account_wps_program_64:
        add_wps_program_64(m, wps_root(m.account(sid)) + "\\" + versions[-1])
    for option in args.account_install_root:
        sid, folder = sid_and(option)
        a = m.account(sid)
        a.row(WPS_COMMON, "InstallRoot", "sz", folder or wps_root(a) + "\\" + versions[-1])
    for option in args.account_desktop:
        sid, value = sid_and(option)
        m.account(sid).desktop = value
    for option in args.account_shortcut:
        sid, shortcut = sid_and(option)
        a = m.account(sid)
        name, target = shortcut.split("=", 1)
        a.shortcuts.append((name, wps_root(a) + "\\ksolaunch.exe" if target == "wps" else target))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--prefix", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--mathtype", action="store_true")
    ap.add_argument("--mathtype-folder", default=r"C:\Program Files\MathType")
    ap.add_argument("--wps-folders", action="store_true")
    ap.add_argument("--wps-root", default=None)
    ap.add_argument("--wps-version", action="append", default=[])
    ap.add_argument("--wps-entry", action="store_true", help="machine-wide WPS uninstall entry")
    ap.add_argument("--wps-user-entry", action="store_true",
                    help="the per-user WPS uninstall entry (HKEY_CURRENT_USER)")
    ap.add_argument("--wps-entry-64", action="store_true",
                    help="WPS's uninstall entry in the machine-wide 64-bit view")
    ap.add_argument("--install-root", action="append", default=[],
                    help="PLACE[=FOLDER]: InstallRoot in machine, machine64 or user; "
                         "FOLDER defaults to the last version folder")
    ap.add_argument("--mathtype-64-pair", action="store_true",
                    help="MathType's 64-bit template and add-in, distinct from the 32-bit pair")
    ap.add_argument("--wps-program-64", action="store_true",
                    help="office6\\wps.exe of the last version is the prefix's 64-bit notepad.exe")
    ap.add_argument("--win64", action="store_true", help="the prefix is a 64-bit Windows")
    ap.add_argument("--embedded", action="append", default=[],
                    help="VERSION: the three files an embedding leaves in that version folder")
    ap.add_argument("--embedded-pair", choices=["32", "64"], default=None,
                    help="the --embedded copies are MathType's pair of this bitness, byte for byte")
    ap.add_argument("--wps-file", action="append", default=[],
                    help="a file of the user's, as a path below the WPS root")
    ap.add_argument("--shortcut", action="append", default=[],
                    help="NAME=TARGET on the desktop; TARGET 'wps' = the WPS launcher")
    ap.add_argument("--account", action="append", default=[],
                    help="SID:PROFILE: another account, its ProfileList entry, profile folder "
                         "and hive (whose User Shell Folders Desktop is %%USERPROFILE%%\\Desktop)")
    ap.add_argument("--account-wps", action="append", default=[],
                    help="SID: WPS installed for that account alone: its version folders below "
                         "the account's AppData\\Local and the uninstall entry in its hive")
    ap.add_argument("--account-wps-folders", action="append", default=[],
                    help="SID: the account's WPS folders as --account-wps makes them, without "
                         "the uninstall entry")
    ap.add_argument("--account-wps-program-64", action="append", default=[],
                    help="SID: a 64-bit wps.exe in the account's last version folder")
    ap.add_argument("--account-embedded", action="append", default=[],
                    help="SID[:32|64]: the placed files, as --embedded makes them (or MathType's "
                         "pair of that bitness), in the account's last version folder")
    ap.add_argument("--account-install-root", action="append", default=[],
                    help="SID[:FOLDER]: InstallRoot in the account's hive; FOLDER defaults to "
                         "the account's last version folder")
    ap.add_argument("--account-desktop", action="append", default=[],
                    help="SID:VALUE: the account's User Shell Folders Desktop, as stored (REG_EXPAND_SZ)")
    ap.add_argument("--account-shortcut", action="append", default=[],
                    help="SID:NAME=TARGET on the account's desktop; TARGET 'wps' = its WPS launcher")
    ap.add_argument("--account-logged-on", action="append", default=[],
                    help="SID: the account's hive left loaded as HKEY_USERS\\SID, as for a user "
                         "who is logged on")
    ap.add_argument("--account-without-folder", action="append", default=[],
                    help="SID: the profile folder is gone (no hive either); the entry stays")
    ap.add_argument("--account-without-hive", action="append", default=[],
                    help="SID: the profile folder has no NTUSER.DAT")
    ap.add_argument("--background", type=int, default=0)
    ap.add_argument("--junk", type=int, default=0)
    ap.add_argument("--desktop-files", type=int, default=0)
    args = ap.parse_args()

    m = Machine(os.path.realpath(args.prefix), args.win64)
    wps_root = args.wps_root or ("C:\\users\\%s\\AppData\\Local\\Kingsoft\\WPS Office" % m.user)
    versions = args.wps_version or ["12.1.0.28505"]

    if args.background:
        add_background(m, args.background)
    if args.junk:
        add_junk(m, args.junk)
    if args.mathtype:
        folder = args.mathtype_folder
        m.entry("DSMT7", [("DisplayName", reg_string("MathType 7")),
                          ("Publisher", reg_string("WIRIS")),
                          ("UninstallString", reg_string('"%s\\Setup.exe" -R' % folder))])
        m.file(folder + "\\Setup.exe", b"MZ setup")
        m.file(folder + "\\Office Support\\32\\MathType Commands 2016.dotm",
               b"PK\x03\x04 MathType Commands 2016 template " + bytes(range(256)))
        m.file(folder + "\\MathPage\\32\\MathPage.wll", b"MZ MathPage add-in " + bytes(range(256)) * 4)
    if args.mathtype_64_pair:
        folder = args.mathtype_folder
        m.file(folder + "\\Office Support\\64\\MathType Commands 2016.dotm",
               b"PK\x03\x04 MathType Commands 2016 template, 64-bit " + bytes(range(255, -1, -1)))
        m.file(folder + "\\MathPage\\64\\MathPage.wll",
               b"MZ MathPage add-in, 64-bit " + bytes(range(255, -1, -1)) * 4)
    if args.wps_folders:
        add_wps_folders(m, wps_root, versions)
    if args.wps_program_64:
        add_wps_program_64(m, wps_root + "\\" + versions[-1])
    wps_values = [(name, reg_string(text)) for name, text in wps_entry(wps_root, versions[-1])]
    for wanted, place in ((args.wps_entry, "machine"), (args.wps_user_entry, "user"),
                          (args.wps_entry_64, "machine64")):
        if wanted:
            m.entry("Kingsoft Office", wps_values, place)
    for install_root in args.install_root:
        place, _, folder = install_root.partition("=")
        folder = folder or "%s\\%s" % (wps_root, versions[-1])
        m.value(place, WPS_COMMON, "InstallRoot", reg_string(folder))
    add_accounts(m, args, versions)
    def pair_files(bits):
        """MathType's pair of that bitness, byte for byte; made-up copies without one."""
        if not bits:
            return b"PK\x03\x04 placed template", b"MZ placed add-in"
        files = []
        for path in ("Office Support\\%s\\MathType Commands 2016.dotm", "MathPage\\%s\\MathPage.wll"):
            with open(unix_path(m.prefix, args.mathtype_folder + "\\" + path % bits), "rb") as f:
                files.append(f.read())
        return files

    office6s = [(wps_root + "\\" + version + "\\office6", args.embedded_pair) for version in args.embedded]
    for option in args.account_embedded:
        sid, bits = sid_and(option)
        office6s.append((m.account(sid).profile + "\\AppData\\Local\\Kingsoft\\WPS Office\\"
                         + versions[-1] + "\\office6", bits))
    for office6, bits in office6s:
        template, add_in = pair_files(bits)
        m.file(office6 + "\\startup\\MathType Commands 2016.dotm", template)
        m.file(office6 + "\\startup\\MathPage.wll", add_in)
        m.file(office6 + "\\MathPage.wll", add_in)
    for path in args.wps_file:
        m.file(wps_root + "\\" + path, b"a file of the user's")
    for shortcut in args.shortcut:
        name, target = shortcut.split("=", 1)
        if target == "wps":
            target = wps_root + "\\ksolaunch.exe"
        m.shortcuts.append((m.desktop + "\\" + name, target))
    for i in range(args.desktop_files):
        m.file(m.desktop + "\\file %05d.txt" % i, b"x")
    m.write(args.out)
    print(m.desktop)


if __name__ == "__main__":
    main()
