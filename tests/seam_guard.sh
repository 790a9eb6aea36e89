#!/bin/bash
# Nothing above src/platform/ talks to the system itself: no SDL, no file streams or C file
# calls, no filesystem, no environment or process calls. Files come through
# platform/file_read.h, everything else through the Host; only the two programs' mains read
# their command line and environment. Fails naming every offending line.
src=${1:?usage: seam_guard.sh SOURCE_DIR}/src
pattern='SDL|std::[io]?fstream|<fstream>|\bf(open|read|write)\s*\(|<filesystem>|std::filesystem|\b(getenv|popen|system|exit)\s*\('
offences=$(grep -rnE "$pattern" "$src" --include='*.cpp' --include='*.h' \
  | grep -v "^$src/platform/" | grep -vE "^$src/(main|editor/marlsmith_main)\.cpp:")
if [[ -n "$offences" ]]; then
  echo "Above the platform seam these belong in src/platform/:" >&2
  echo "$offences" >&2
  exit 1
fi
echo "ok: nothing above src/platform/ reaches the system directly"
