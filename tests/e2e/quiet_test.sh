# With "q" no log is written, and an old log is left as it was.
. "$(dirname "$0")/lib.sh"
reset_machine
mkdir -p "$(dirname "$install_log")"
printf 'an old log\r\n' > "$install_log"

install_oem /q
expect_eq "$(cat "$install_log")" "$(printf 'an old log\r\n')" "old log"
expect_file "$kvox/uninst.exe"
