# Sourced by the benchmark scripts: an X server of their own in $out (which the
# caller made and removes), DISPLAY set for it, and its process in XVFB.
displayfile="$out/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$displayfile" 2>/dev/null &
XVFB=$!
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
# Nothing draws with OpenGL (the program turns the GLX probe off itself).
export DISPLAY=":$(cat "$displayfile")" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none
