# Splits each traced start-up of `pelko_program_bench.exe trace` into its parts. The input is
# Wine's trace (WINEDEBUG=+timestamp,+pid,+relay,+loaddll with the relay limited to the calls
# below); every line starts "SECONDS.MS:PID:TID:". Output: "PREFIX.NAME.part.STEP_ms VALUE"
# per start and "PREFIX.NAME.parts_ms" (their sum), where PREFIX comes from -v prefix=.
#
# A start runs from the bench's "pelko_bench start NAME" (right before CreateProcess) to its
# "pelko_bench done NAME PID MS" (MS: CreateProcess to the first complete paint on the screen).
# The steps between, in the child's own trace; a step the program does not take lasts 0 ms:
#   created      the executable mapped (Wine's process creation)
#   dlls         the imported DLLs loaded and attached, to the C runtime's __wgetmainargs
#   panel        to InitCommonControlsEx (pelkocfg-sim.exe builds its demo panel here)
#   app          to CreateDialogIndirectParamW (common controls, fonts, registry, companion);
#                for `bare_window.exe tree` to the CreateWindowExW of its window
#   skin         to the dialog's first SetWindowTextW (the device scan, the skin library)
#   controls     to SetLayeredWindowAttributes (background, colours, the controls' images; the
#                tree's child windows)
#   device       to the dialog's ShowWindow (the device's start-up, the profile shown)
#   painted      to the first GetMessageW that waits (every pending paint handled)
#   detent       to the sensitivity detent's timer (1050), when it comes before the final
#                pixels: the profile shown moves the slider, and 100 ms later its thumb snaps
#   screen       to the first sample of the screen that shows the final pixels: Wine's
#                presentation of the window, and the bench's 10 ms sampling
function stamp(line) { return substr(line, 1, index(line, ":") - 1) * 1000 }
function pidOf(line,   f) { split(line, f, ":"); return f[2] }
function reset() { split("", at); waitingCall = 0 }
BEGIN { steps = "created dlls panel app skin controls device painted detent" }
/pelko_bench start / {
  match($0, /pelko_bench start [a-z]+/)
  split(substr($0, RSTART, RLENGTH), w, " ")
  name = w[3]; start = stamp($0); child = ""; reset()
  next
}
/pelko_bench done / {
  match($0, /pelko_bench done [a-z]+ [0-9a-f]+ -?[0-9.]+/)
  split(substr($0, RSTART, RLENGTH), w, " ")
  if (w[3] != name || w[5] < 0) next
  child = w[4]; total = w[5]
  if ("detent" in at && at["detent"] - start > total) delete at["detent"]
  # A wait that never ended: the program had nothing more to do.
  if (!("painted" in at) && waitingCall && (name == "bare" || ("device" in at)))
    at["painted"] = waitingCall
  previous = 0; n = split(steps, list, " ")
  for (i = 1; i <= n; i++) {
    t = (list[i] in at) ? at[list[i]] - start : previous
    if (t < previous) t = previous
    if (t > total) t = total # the final pixels were on the screen before this step ended
    printf "%s.%s.part.%s_ms %.1f\n", prefix, name, list[i], t - previous
    previous = t
  }
  printf "%s.%s.part.screen_ms %.1f\n", prefix, name, total - previous
  printf "%s.%s.parts_ms %.1f\n", prefix, name, total
  name = ""
  next
}
name == "" { next }
# The child's lines: its pid is the one that maps an executable after the start.
child == "" && /:trace:loaddll:.*\.exe" at .*: native/ && !("created" in at) {
  child = pidOf($0); at["created"] = stamp($0); next
}
child == "" || pidOf($0) != child { next }
/:Call msvcrt\.__wgetmainargs\(/ && !("dlls" in at) { at["dlls"] = stamp($0); next }
/:Call comctl32\.InitCommonControlsEx\(/ && !("panel" in at) { at["panel"] = stamp($0); next }
/:Call user32\.CreateDialogIndirectParamW\(/ && !("app" in at) { at["app"] = stamp($0); next }
/:Call user32\.CreateWindowExW\(.*L"BareWindow"/ && name == "tree" && !("app" in at) {
  at["app"] = stamp($0); next
}
/:Call user32\.SetWindowTextW\(/ && ("app" in at) && !("skin" in at) { at["skin"] = stamp($0); next }
/:Call user32\.SetLayeredWindowAttributes\(/ && !("controls" in at) { at["controls"] = stamp($0); next }
/:Call user32\.ShowWindow\([0-9a-f]+,00000001\)/ && ("app" in at) && !("device" in at) {
  at["device"] = stamp($0); next
}
# The first GetMessageW after the window is up that waits 8 ms or more for a message.
/:Call user32\.GetMessageW\(/ && ("dlls" in at) && !("painted" in at) { waitingCall = stamp($0); next }
/:Ret  user32\.GetMessageW\(/ && waitingCall && !("painted" in at) {
  if (stamp($0) - waitingCall >= 8 && (name == "bare" || ("device" in at))) at["painted"] = waitingCall
  waitingCall = 0
}
/:Call window proc .*msg=WM_TIMER,wp=0000041a/ && ("painted" in at) && !("detent" in at) {
  at["detent"] = stamp($0)
}
