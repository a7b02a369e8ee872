# The sandbox's local HTTPS update server for one run of run.sh, and the
# settings pointed at it (sourced, not run).

# start_update_server SERVER_SCRIPT DIR: starts update-server.py serving DIR
# in the background and sets UPDATE_PID and UPDATE_URL; fails when the server
# does not come up.
start_update_server() {
    mkdir -p "$2/packages" || return 1
    # A kept sandbox still holds the last run's certificate and port: gone
    # first, so that the certificate read after the start is this server's.
    rm -f "$2/cert.pem" "$2/key.pem" "$2"/port*
    # The server's announcement goes to a file no earlier run wrote, and the
    # port is read and checked in one step: a kept sandbox's last port, or
    # the file before the server has written to it, is never taken.
    update_port_file=$(mktemp "$2/port.XXXXXX") || return 1
    python3 "$1" "$2" > "$update_port_file" &
    UPDATE_PID=$!
    update_tries=0
    until update_port=$(sed -n 's/^PORT \([0-9][0-9]*\)$/\1/p' "$update_port_file") && [ -n "$update_port" ]; do
        update_tries=$((update_tries + 1))
        if [ "$update_tries" -gt 300 ] || ! kill -0 "$UPDATE_PID" 2>/dev/null; then
            rm -f "$update_port_file"
            echo "the update server did not start" >&2
            return 1
        fi
        sleep 0.1
    done
    rm -f "$update_port_file"
    UPDATE_URL="https://127.0.0.1:$update_port"
}

# point_settings_at_update_server CONFIG URL: sets network.updateServer in the
# settings file and keeps everything else there (a file the program cannot
# read is left to it, which moves it aside and starts from the defaults).
point_settings_at_update_server() {
    python3 - "$1" "$2" <<'PY'
import json, os, sys
path, url = sys.argv[1], sys.argv[2]
try:
    with open(path, encoding="utf-8") as f:
        config = json.load(f)
except FileNotFoundError:
    config = {}
except (OSError, ValueError, RecursionError):
    sys.exit(0)
if not isinstance(config, dict):
    sys.exit(0)
network = config.get("network")
if not isinstance(network, dict):
    network = config["network"] = {}
network["updateServer"] = url
tmp = path + ".run-sh"
with open(tmp, "w", encoding="utf-8") as f:
    json.dump(config, f, indent=3, ensure_ascii=False)
    f.write("\n")
os.replace(tmp, path)
PY
}
