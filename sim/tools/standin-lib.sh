# Shared by the stand-in tools (sourced, not run). A stand-in records each
# call in $PRINTER_SYSROOT/standin.log as one line: the tool name, then every
# argument, separated by TAB characters. It never runs a real tool.

standin_root() {
    if [ -z "${PRINTER_SYSROOT:-}" ] || [ ! -d "$PRINTER_SYSROOT" ]; then
        echo "$(basename "$0"): PRINTER_SYSROOT does not name a sandbox root" >&2
        exit 1
    fi
    printf '%s' "$PRINTER_SYSROOT"
}

# standin_record NAME [ARG...]
standin_record() {
    standin_log="$(standin_root)/standin.log" || exit 1
    {
        printf '%s' "$1"
        shift
        for standin_arg in "$@"; do
            printf '\t%s' "$standin_arg"
        done
        printf '\n'
    } >> "$standin_log"
}
