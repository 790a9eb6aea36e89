#!/usr/bin/env bash
# Re-makes the spoken recordings beside this script: the shooter's calls, the referee's remarks
# between presentations and the shouts of the crowd. Needs espeak-ng and sox; run it by hand
# when a line changes, then commit the .wav files (the build only reads them). 16 kHz keeps
# them small and holds everything below the 5.5 kHz the voices are filtered to.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# say FILE VOICE PITCH SPEED TEXT
# A slower, slightly lower delivery sounds less like a machine; sox trims the silence espeak
# leaves around the words, takes out rumble and buzz, lets the words ring a little in the open
# air instead of stopping dead, softens the ends and levels the peak.
say() {
  local file=$1 voice=$2 pitch=$3 speed=$4 text=$5
  espeak-ng -v "$voice" -p "$pitch" -s "$speed" -g 2 -w "$tmp/raw.wav" "$text"
  sox "$tmp/raw.wav" "$tmp/trim.wav" highpass 90 lowpass 5500 \
    silence 1 0.02 0.4% reverse silence 1 0.02 0.4% reverse
  local length
  length=$(soxi -D "$tmp/trim.wav")
  sox "$tmp/trim.wav" -r 16000 -b 16 -e signed-integer -c 1 "$file" \
    fade t 0.01 "$length" 0.08 pad 0 0.15 reverb 15 60 30 \
    fade t 0 "$(awk -v l="$length" 'BEGIN { print l + 0.15 }')" 0.05 gain -n -3
}

male=en+m3
female=en+f3

# The shooter's call for a target, three words in two voices.
say male_ready.wav "$male" 38 135 "Ready!"
say male_pull.wav "$male" 38 130 "Pull!"
say male_go.wav "$male" 38 130 "Go!"
say female_ready.wav "$female" 55 140 "Ready!"
say female_pull.wav "$female" 55 135 "Pull!"
say female_go.wav "$female" 55 135 "Go!"

# The referee after a hit taken with a hard swing.
say swing_1.wav "$male" 42 140 "Nice swing!"
say swing_2.wav "$male" 42 130 "Smooth!"
say swing_3.wav "$male" 42 145 "Good move on that one."
say swing_4.wav "$male" 42 145 "Great follow through!"

# The referee after a presentation with nothing broken.
say miss_1.wav "$male" 36 140 "Behind it."
say miss_2.wav "$male" 36 145 "Missed, keep your head down."
say miss_3.wav "$male" 36 145 "Over the top of it."
say miss_4.wav "$male" 36 145 "Keep the gun moving."

# Shouts from the small crowd behind the cage after a perfect station.
say cheer_1.wav "$male" 60 170 "Yeah!"
say cheer_2.wav "$female" 70 160 "Bravo!"
say cheer_3.wav en+m1 55 165 "Well shot!"
say cheer_4.wav en+f2 75 170 "Woo hoo!"
