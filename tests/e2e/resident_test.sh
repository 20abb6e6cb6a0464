# The package's resident programs are asked to close when the setup starts.
. "$(dirname "$0")/lib.sh"
reset_machine

wine "$build/sample/kvox.exe" &
indicator=$!
wine "$build/sample/kvkeyb.exe" &
keyboard=$!
drive wait "K-VOX" ";" wait "K-VOX Keyboard"

install_oem /q
for pid in $indicator $keyboard; do
    wait "$pid" || fail "a resident program ended badly"
done
drive wait-gone "K-VOX" 5000 ";" wait-gone "K-VOX Keyboard" 5000
