# Sourced by the check.sh of a scenario whose scenario.conf sets
# LIST_HIVES_AFTER_RUN=1: check_loaded_hives prints one line "loaded NAME"
# per subkey of HKEY_USERS as the program left them, sorted, so that a
# hive the program loaded and did not unload shows in the transcript.
check_loaded_hives() {
  tr -d '\r' <"$PELMORA_HIVES_AFTER_RUN" | LC_ALL=C sort | sed 's/^/loaded /'
}
