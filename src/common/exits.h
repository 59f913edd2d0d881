// The program's ways out: the user's end, a failure of the window system,
// and a broken rule of the program itself. None of them returns.
#pragma once

// Shuts SDL down and ends the process with status 0, wherever it stands.
[[noreturn]] void TERMINATEAPPLICATION();

// Prints "Duruv: " and the formatted reason as one line on standard error,
// shuts SDL down and ends the process with status 1.
[[noreturn, gnu::format(printf, 1, 2)]] void EXITWITHERROR(const char *FORMAT, ...);

// Prints "Duruv: program error: " and the formatted rule that was broken as
// one line on standard error, then aborts.
[[noreturn, gnu::format(printf, 1, 2)]] void PROGRAMERROR(const char *FORMAT, ...);
