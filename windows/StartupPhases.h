#pragma once
// Where a start goes: in a build configured with
// -DBRINDLEWAY_STARTUP_PHASES=ON, each phase of the start-up notes the time
// since the process was created (in microseconds), and the notes are written, one line a
// phase, to the file that the environment variable BRINDLEWAY_STARTUP_PHASES
// names once the window is shown. Every other build, the release among them,
// has none of it: the calls are empty and vanish.

#if BRINDLEWAY_STARTUP_PHASES
void MarkStartupPhase(const char* phase);
void WriteStartupPhases();
#else
inline void MarkStartupPhase(const char*) {}
inline void WriteStartupPhases() {}
#endif
