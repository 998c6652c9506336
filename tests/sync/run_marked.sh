#!/bin/sh
# Runs a command and then writes its exit code to <mark file>: a Windows
# program that starts a program of this machine under Wine cannot wait for
# its end, so it waits for the mark.
#     run_marked.sh <mark file> <command> [arguments...]
mark="$1"; shift
"$@"
echo $? >"$mark.part"
mv "$mark.part" "$mark"
