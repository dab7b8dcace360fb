#!/usr/bin/env bash
# Builds the release twice, from copies of the checkout in two different
# folders, some seconds apart, under different zones, umasks and locales,
# and checks that the program and the zip are byte for byte the same, and
# that the release holds what users are promised.
set -uo pipefail
src=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
source "$(dirname "$0")/common.sh"
work=$(mktemp -d /tmp/pelmora-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

epoch=$(commit_epoch "$src")
version=$(project_version "$src")
one=$work/first/pelmora
two=$work/second/a-longer-folder-name/src
copy_tree "$src" "$one"
copy_tree "$src" "$two"

(cd "$one" && umask 022 && TZ=UTC LC_ALL=C SOURCE_DATE_EPOCH=$epoch \
   bash scripts/release) >"$work/one.log" 2>&1 || { cat "$work/one.log"; exit 1; }
sleep 2
(cd "$two" && umask 077 && TZ=Asia/Shanghai LC_ALL=C.UTF-8 SOURCE_DATE_EPOCH=$epoch \
   bash scripts/release) >"$work/two.log" 2>&1 || { cat "$work/two.log"; exit 1; }
cat "$work/two.log"

zip=pelmora-$version.zip
check "the version $version is read from CMakeLists.txt" test -n "$version"
check "the zip is named after the version" test -f "$one/dist/$zip"
check "pelmora.exe is identical in both builds" cmp "$one/dist/pelmora.exe" "$two/dist/pelmora.exe"
check "the zip is identical in both builds" cmp "$one/dist/$zip" "$two/dist/$zip"
check "SHA256SUMS is identical in both builds" cmp "$one/dist/SHA256SUMS" "$two/dist/SHA256SUMS"
check "the stand-in installer inside is identical in both builds" \
  cmp "$one/build/release/resources/vba_payload.byteset" "$two/build/release/resources/vba_payload.byteset"
check "an unsigned release says so" grep -q "this release is UNSIGNED" "$work/two.log"
check "SHA256SUMS names the zip and the program" \
  test "$(awk '{print $2}' "$one/dist/SHA256SUMS" | tr '\n' ' ')" = "$zip pelmora.exe "
check "SHA256SUMS holds the right digests" bash -c "cd '$one/dist' && sha256sum --quiet -c SHA256SUMS"

exe=$one/dist/pelmora.exe
check "the PE header carries no build time" \
  bash -c "i686-w64-mingw32-objdump -p '$exe' | grep -q 'Time/Date.*1970'"
for folder in "$work" first/pelmora a-longer-folder-name; do
  check "no build folder ($folder) in the program" \
    bash -c "! strings -a '$exe' | grep -qF '$folder' && ! strings -a -el '$exe' | grep -qF '$folder'"
done
check "the file properties show version $version" \
  bash -c "strings -a -el '$exe' | grep -A1 -x FileVersion | grep -qx '$version' &&
           strings -a -el '$exe' | grep -A1 -x ProductVersion | grep -qx '$version'"

# The zip's entries, their order, dates and contents.
python3 - "$one/dist/$zip" "$exe" "$epoch" "$version" "$src" >"$work/zip.txt" 2>&1 <<'PY'
import sys, time, zipfile
path, exe, epoch, version = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
z = zipfile.ZipFile(path)
infos = z.infolist()
# zipfile ignores the Unicode path field and reads the stored name as cp437;
# the stored name is code page 936.
names = [i.filename.encode("cp437").decode("gbk") if i.flag_bits & 0x800 == 0 else i.filename
         for i in infos]
deploy = ["deploy/install.cmd", "deploy/uninstall.cmd", "deploy/detect.ps1"]
assert names == ["pelmora.exe", "使用说明.txt", "LICENSE.txt"] + deploy, names
assert z.testzip() is None
t = time.gmtime(epoch)
for i in infos:
    assert i.date_time == (t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec // 2 * 2), i.date_time
    assert i.external_attr == 0x20 and i.create_system == 0, (i.external_attr, i.create_system)
assert z.read(infos[0]) == open(exe, "rb").read(), "the zip's program differs from dist/pelmora.exe"
guide = z.read(infos[1])
assert guide.startswith(b"\xef\xbb\xbf"), "the guide has no BOM"
text = guide[3:].decode("utf-8")
assert "\n" not in text.replace("\r\n", ""), "the guide has lines not ended by CRLF"
first = text.split("\r\n")[0]
assert first == "Pelmora %s 使用说明" % version, first
for needed in ("WPS Office 2019", "MathType 7", "管理员", "从WPS移除MathType面板…", "pelmora.exe /remove",
               "复制文件失败", "无法启动VBA安装程序", "WPS正在运行", "office6\\startup\\MathPage.wll",
               "certutil -hashfile pelmora.exe SHA256"):
    assert needed in text, "the guide does not mention " + needed
assert "@PELMORA_" not in text
licence = z.read(infos[2]).decode("utf-8")
assert licence.startswith("MIT License") and "Pelmora developers" in licence
# cmd reads a batch file in the OEM code page, Windows PowerShell 5.1 a
# script without a BOM in the ANSI one, and cmd loses its way around labels
# in a batch file with bare LF endings.
for info, name in zip(infos[3:], deploy):
    script = z.read(info)
    assert script.endswith(b"\r\n") and b"\n" not in script.replace(b"\r\n", b""), name + " is not CRLF"
    assert all(b < 0x80 for b in script), name + " is not ASCII"
    source = open(sys.argv[5] + "/resources/release/" + name, "rb").read()
    assert script == source.replace(b"\n", b"\r\n"), name + " differs from its source"
print("zip checked")
PY
check "the zip holds pelmora.exe, 使用说明.txt, LICENSE.txt and deploy\\ as promised" grep -qx "zip checked" "$work/zip.txt"
cat "$work/zip.txt"
check "unzip lists the guide by its Chinese name" bash -c "unzip -l '$one/dist/$zip' | grep -q '使用说明.txt'"

echo "$failures failed"
[ "$failures" -eq 0 ]
