# Detection script for Intune and Configuration Manager (Windows PowerShell
# 5.1): Pelmora counts as installed when the copy that install.cmd left
# finds the MathType panel embedded in every WPS on the machine.
#
# Both tools take "exit 0 with a line on standard output" for installed and
# "exit 0 with nothing on it" for not installed. Configuration Manager takes
# any other exit code for a detection that failed, not for an application
# that is missing, so every outcome here exits 0.

$root = ${env:ProgramFiles(x86)}
if (-not $root) { $root = $env:ProgramFiles }
$program = Join-Path $root 'Pelmora\pelmora.exe'
if (-not (Test-Path -LiteralPath $program -PathType Leaf)) { exit 0 }

try {
    $check = Start-Process -FilePath $program -ArgumentList '/check', '/quiet', '/allusers' `
        -Wait -PassThru -ErrorAction Stop
} catch {
    # A copy that cannot be started is no installation: install.cmd replaces it.
    exit 0
}
if ($check.ExitCode -eq 0) {
    Write-Output "Pelmora: the MathType panel is embedded in every WPS ($program)"
}
exit 0
