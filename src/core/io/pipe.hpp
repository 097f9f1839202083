// Pipes whose ends are closed on exec, so a child program started by another thread never
// inherits one (and holds it open). Made in one step where the system has pipe2; in steps
// (pipe, then fcntl) where it has not, as on macOS.
#pragma once

namespace glyphloom {

// Fills fds with the read and write ends, both close-on-exec and, when `nonBlocking`, both
// non-blocking. False (and nothing left open) when the system refuses.
bool openPipe(int fds[2], bool nonBlocking);

// The stepwise way, which openPipe uses where pipe2 is missing; tests check it here too.
bool openPipeStepwise(int fds[2], bool nonBlocking);

}  // namespace glyphloom
