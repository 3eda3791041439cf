# Sourced by the sanitizer scripts: the folder that every sanitized process
# writes its reports into, and the check of what was left there.

# fresh_log_folder DIR: DIR, emptied, and open to every user, so that tests
# that drop root in a child process can report too.
fresh_log_folder() {
    rm -rf "$1"
    mkdir -p "$1"
    chmod 1777 "$1"
}

# check_log_folder DIR TITLE: prints every report in DIR under TITLE; fails
# when there is one, also from a process whose exit status nobody looked at.
check_log_folder() {
    if compgen -G "$1/*" >/dev/null; then
        echo "$2:"
        for f in "$1"/*; do
            echo "---- $f"
            cat "$f"
        done
        return 1
    fi
}
