#pragma once
// The temporary files that AtomicFile writes before a file is put in place: their names,
// their removal when the process is stopped by a signal, and the removal of those an
// earlier, killed process left behind.

#include <filesystem>
#include <string>

namespace orolith {

// A fresh temporary name in `folder`: ".orolith-" followed by twelve random letters and
// digits and ".tmp", the same length whatever the name of the file it will become.
std::filesystem::path temporaryNameIn(const std::filesystem::path& folder);

// True for names temporaryNameIn gives.
bool isTemporaryName(const std::string& fileName);

// Removes from `folder` the temporary files no running process is writing: a writer holds
// an exclusive lock on its temporary for as long as it writes (where the system has locks),
// and files changed in the last minute are left alone in any case.
void removeAbandonedTemporaries(const std::filesystem::path& folder);

// Takes the exclusive lock that tells removeAbandonedTemporaries a file is in use. The lock
// ends when the descriptor is closed. Does nothing where the system has no such locks.
void holdTemporaryLock(int descriptor);

// Makes SIGINT, SIGTERM and SIGHUP remove every registered temporary before the process
// ends as the signal says. Call once at the start of a program; later calls do nothing.
void removeTemporariesOnSignals();

// The names a signal removes. registerTemporary returns a slot (or -1 when every slot is
// taken or the name is too long; the file is then left for removeAbandonedTemporaries).
int registerTemporary(const std::filesystem::path& path);
void unregisterTemporary(int slot);
// Removes every registered temporary; safe in a signal handler.
void removeRegisteredTemporaries();

// While a child process group works on the program's behalf (mkgmap), SIGINT, SIGTERM and
// SIGHUP are passed on to that group and held back, so that the caller can remove what the
// child left and then end the process with stopBySignal(heldSignal()). 0 ends the passing on.
void passSignalsTo(long processGroup);
int heldSignal(); // 0 when none came
// Removes every registered temporary and ends the process as `signalNumber` would have.
void stopBySignal(int signalNumber);

} // namespace orolith
