# SPDX-License-Identifier: MIT
# fish completion for tvrtool: subcommands, their options, and the files each one takes.
set -l subcommands show check export import diff render program match set copy swap help
complete -c tvrtool -f
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a show -d 'the layout as a text grid'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a check -d 'whether the desktop programs load each file'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a export -d 'the layout as JSON'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a import -d 'a configuration file from JSON'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a diff -d 'the keys two layouts differ in'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a render -d 'the layout at physical size as PDF or PNG'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a program -d 'program keys into the keyboard'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a match -d 'which key sends a sequence of codes'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a set -d 'give keys a label, a colour or codes'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a copy -d 'copy keys between layouts'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a swap -d 'swap two keys of a layout'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -a help -d 'an overview, or a subcommand\'s help'
complete -c tvrtool -n "not __fish_seen_subcommand_from $subcommands" -l version -d 'show the version'
complete -c tvrtool -n "__fish_seen_subcommand_from help" -a "$subcommands"

complete -c tvrtool -n "__fish_seen_subcommand_from $subcommands" -s h -l help -d 'show the help'
# The layout files themselves, for every subcommand that reads one.
complete -c tvrtool -n "__fish_seen_subcommand_from show check export diff render program match set copy swap" -k -a "(__fish_complete_suffix .tvr; __fish_complete_suffix .qld)"
complete -c tvrtool -n "__fish_seen_subcommand_from import" -k -a "(__fish_complete_suffix .json)"
complete -c tvrtool -n "__fish_seen_subcommand_from show" -l codes -d "list every key's codes"
complete -c tvrtool -n "__fish_seen_subcommand_from show" -l width -x -d 'fit the grid into N columns'
complete -c tvrtool -n "__fish_seen_subcommand_from $subcommands" -l code-page -x -a '932 1252 system' -d 'code page of the labels'
complete -c tvrtool -n "__fish_seen_subcommand_from check diff" -l json -d 'the result as JSON'
complete -c tvrtool -n "__fish_seen_subcommand_from export import render set copy swap" -s o -l output -r -d 'the file to write'
complete -c tvrtool -n "__fish_seen_subcommand_from export import render set copy swap" -s f -l force -d 'replace an existing file'
complete -c tvrtool -n "__fish_seen_subcommand_from render" -l dpi -x -d 'resolution in dots per inch'
complete -c tvrtool -n "__fish_seen_subcommand_from render" -l portrait -d 'an upright page'
complete -c tvrtool -n "__fish_seen_subcommand_from render" -l landscape -d 'a turned page'
complete -c tvrtool -n "__fish_seen_subcommand_from program" -l key -x -d 'program only key N'
complete -c tvrtool -n "__fish_seen_subcommand_from program" -l all -d 'program every key'
complete -c tvrtool -n "__fish_seen_subcommand_from set" -l label -x -d 'the label'
complete -c tvrtool -n "__fish_seen_subcommand_from set" -l color -x -d 'the face colour'
complete -c tvrtool -n "__fish_seen_subcommand_from set" -l codes -x -d 'the codes as hex bytes'
complete -c tvrtool -n "__fish_seen_subcommand_from set" -l keys -x -d 'the codes as strokes'
