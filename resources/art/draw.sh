#!/bin/sh
# Redraws every picture brandwick.rc embeds and writes them into resources/:
#   banner.bmp, monitor.bmp, emblem.bmp      bitmaps 101, 102, 103
#   hand.bin, hand_group.bin (and hand.cur)  cursor 1 and cursor group 101
#   icon48.bin .. icon16.bin, icon_group.bin icon images 30001..30004 and icon group 1
#   brandwick.ico                            the same icon images as a plain .ico file
# Usage: resources/art/draw.sh [--preview DIR]
# Needs ImageMagick 6, fonts-dejavu, fonts-wqy-zenhei and python3. The results are committed, so
# building the program never needs any of these. check.py then re-reads the files and checks their
# headers, sizes and ids; it can also be run on its own.
set -e
python3 "$(dirname "$0")/draw.py" "$@"
python3 "$(dirname "$0")/check.py"
